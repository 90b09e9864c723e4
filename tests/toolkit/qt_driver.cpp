// The contract table's hand on Qt: mouse and keys sent to the form's window
// as the window system would, so that modal boxes block them as they block
// a user.
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "driver.h"
#include "toolkit_qt/qt_form.h"
#include "toolkit_qt/qt_toolkit.h"

namespace vemora::contract {
namespace {

AppInfo TestApp() {
  AppInfo app;
  app.Title = "Test";
  return app;
}

class QtDriver : public Driver {
 public:
  // A test that ended the program asked Qt to leave a loop that was not
  // running; Qt keeps that request for the next one (a box's) until the
  // application's own loop has run once.
  ~QtDriver() override {
    if (!toolkit_.Ended()) return;
    QTimer::singleShot(0, [] { QApplication::exit(0); });
    QApplication::exec();
  }

  BasicToolkit& Kit() override { return toolkit_; }

  void Click(Form& form, std::string_view control) override {
    QWidget* w = Widget(form, control);
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {}, At(w, Inside(w)));
  }
  void Press(Form& form, std::string_view control) override {
    QWidget* w = Widget(form, control);
    QTest::mousePress(w->window()->windowHandle(), Qt::LeftButton, {}, At(w, Inside(w)));
  }
  void Release(Form& form, std::string_view control, bool inside) override {
    QWidget* w = Widget(form, control);
    const QPoint at = inside ? Inside(w) : QPoint(w->width() + 5, w->height() / 2);
    QTest::mouseRelease(w->window()->windowHandle(), Qt::LeftButton, {}, At(w, at));
  }
  void Type(Form& form, std::string_view control, std::string_view keys) override {
    QWidget* w = Widget(form, control);
    for (char key : keys) QTest::keyClick(w, key);
  }
  void Paste(Form& form, std::string_view control, const std::string& text) override {
    QApplication::clipboard()->setText(QString::fromStdString(text));
    QTest::keyClick(Widget(form, control), Qt::Key_V, Qt::ControlModifier);
  }
  void PickInOpenList(Form& form, std::string_view control, int steps, bool commit) override {
    auto* combo = static_cast<QComboBox*>(Widget(form, control));
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    for (int i = 0; i < steps; ++i) QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, commit ? Qt::Key_Return : Qt::Key_Escape);
  }
  void Close(Form& form) override { Window(form)->close(); }
  void Minimise(Form& form) override { Window(form)->showMinimized(); }
  bool Minimised(Form& form) override { return Window(form)->isMinimized(); }
  PixelSize ClientSize(Form& form) override {
    return {Window(form)->width(), Window(form)->height()};
  }
  void MoveTo(Form& form, int x, int y) override { Window(form)->move(x, y); }
  std::vector<std::string> TabWalk(Form& form, int presses) override {
    QWidget* window = Window(form);
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) return {};
    std::vector<std::string> focused;
    for (int i = 0; i < presses; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      focused.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    return focused;
  }
  unsigned Pixel(Form& form, std::string_view control, int x, int y) override {
    return Widget(form, control)->grab().toImage().pixel(x, y) & 0xFFFFFFu;
  }
  unsigned ButtonFace() override {
    return QApplication::palette().color(QPalette::Button).rgb() & 0xFFFFFFu;
  }
  BoxSeen WhileBoxOpen(const std::function<void()>& open,
                       const std::function<void()>& during) override {
    BoxSeen seen;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      during();
      seen = {box->text().toStdString(), box->windowTitle().toStdString()};
      box->accept();
    });
    open();
    return seen;
  }

 private:
  static QWidget* Window(Form& form) { return static_cast<QtForm&>(form).Window(); }
  static QWidget* Widget(Form& form, std::string_view name) {
    return Window(form)->findChild<QWidget*>(
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  }
  // Near the left edge: a check box or option button takes clicks only on
  // its mark and text.
  static QPoint Inside(QWidget* w) { return {std::min(8, w->width() / 2), w->height() / 2}; }
  // A point of `w` in its window's coordinates.
  static QPoint At(QWidget* w, QPoint local) { return w->mapTo(w->window(), local); }

  QtToolkit toolkit_{TestApp()};
};

}  // namespace

std::unique_ptr<Driver> MakeDriver() {
  return std::make_unique<QtDriver>();
}

double ProcessMemoryMiB() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1048576;
}

}  // namespace vemora::contract
