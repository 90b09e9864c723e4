#include "toolkit_qt/qt_application.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace vemora {
namespace {

// What Qt says while the application is being created, kept back: when no
// display can be opened, Qt's lines and its abort give way to one sentence.
std::vector<QString> heldBack;

// "DISPLAY=„:0“" or "DISPLAY nicht gesetzt", by the environment.
QString Setting(const char* name, bool german) {
  if (!qEnvironmentVariableIsSet(name)) {
    return QString(name) + (german ? " nicht gesetzt" : " not set");
  }
  QString value = qEnvironmentVariable(name);
  for (QChar& c : value) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u'?';
  }
  return german ? QString("%1=„%2“").arg(name, value) : QString("%1=\"%2\"").arg(name, value);
}

QString Settings(bool german) {
  QString list = Setting("DISPLAY", german) + ", " + Setting("WAYLAND_DISPLAY", german);
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    list += ", " + Setting("QT_QPA_PLATFORM", german);
  return list;
}

void HoldBack(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    heldBack.push_back(qFormatLogMessage(type, context, message));
    return;
  }
  const QByteArray text = ("vemora: Keine grafische Anzeige erreichbar (" + Settings(true) +
                           "); Vemora braucht eine X11- oder Wayland-Sitzung.\n"
                           "vemora: No graphical display could be reached (" +
                           Settings(false) + "); Vemora needs an X11 or Wayland session.\n")
                              .toUtf8();
  std::fputs(text.constData(), stderr);
  std::fflush(stderr);
  std::_Exit(1);  // inside Qt's start-up: nothing of it is fit to be torn down
}

}  // namespace

QtApplication::QtApplication(int& argc, char** argv, const char* version) {
  const QtMessageHandler previous = qInstallMessageHandler(HoldBack);
  application_ = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  for (const QString& line : heldBack) std::fprintf(stderr, "%s\n", qPrintable(line));
  heldBack.clear();
  QApplication::setApplicationName("Vemora");
  QApplication::setApplicationVersion(version);
  // Lets Wayland desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName("org.example.Vemora");
}

QtApplication::~QtApplication() = default;

int QtApplication::Exec() {
  return QApplication::exec();
}

}  // namespace vemora
