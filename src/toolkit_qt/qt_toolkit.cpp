#include "toolkit_qt/qt_toolkit.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

#include "toolkit_qt/qt_form.h"
#include "toolkit_qt/qt_widgets.h"

namespace vemora {
namespace {

QMessageBox::Icon IconOfStyle(int style) {
  switch (style & 0x70) {
    case kCritical:
      return QMessageBox::Critical;
    case 32:
      return QMessageBox::Question;
    case kExclamation:
      return QMessageBox::Warning;
    case kInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

QtToolkit::QtToolkit(AppInfo app) : BasicToolkit(std::move(app)), icon_(ProgramIcon()) {
  // Forms are unloaded, not just closed: the toolkit decides when to end.
  QApplication::setQuitOnLastWindowClosed(false);
  InstallAccessibleRoles();
}

std::unique_ptr<Form> QtToolkit::CreateForm(const FormDesign& design) {
  return std::make_unique<QtForm>(*this, design);
}

// Without a parent, exec() makes the box modal to the whole application.
int QtToolkit::NativeMsgBox(std::string_view text, int style, std::string_view title) {
  QMessageBox box(IconOfStyle(style), ToQString(title), ToQString(text), QMessageBox::Ok);
  box.setObjectName("MsgBox");
  box.setWindowIcon(icon_);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  return 1;  // OK
}

void QtToolkit::NativeQuit() {
  QApplication::exit(0);
}

std::string QtToolkit::DecimalSeparator() const {
  // The default locale is the system's unless a test fixes another.
  return QLocale().decimalPoint().toStdString();
}

}  // namespace vemora
