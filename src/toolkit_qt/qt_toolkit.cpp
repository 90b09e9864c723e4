#include "toolkit_qt/qt_toolkit.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QWidget>

#include "os/process.h"
#include "runtime/runtime_error.h"
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

QtToolkit::QtToolkit(AppInfo app) : app_(std::move(app)), icon_(ProgramIcon()), font_("Arial") {
  font_.setPointSizeF(8.25);
  // Forms are unloaded, not just closed: the toolkit decides when to end.
  QApplication::setQuitOnLastWindowClosed(false);
  InstallAccessibleRoles();
}

std::unique_ptr<Form> QtToolkit::CreateForm(const FormDesign& design) {
  return std::make_unique<QtForm>(*this, design);
}

int QtToolkit::MsgBox(std::string_view text, int style, std::string_view title) {
  QMessageBox box(IconOfStyle(style), ToQString(title.empty() ? app_.Title : title),
                  ToQString(text), QMessageBox::Ok);
  box.setObjectName("MsgBox");
  box.setWindowIcon(icon_);
  box.exec();
  return 1;  // OK
}

void QtToolkit::StartProgram(const std::string& path) {
  if (!vemora::StartProgram(path)) Raise(ErrorNumber::kFileNotFound);
}

std::string QtToolkit::FileLookup(const std::string& path) {
  return vemora::FileLookup(path);
}

void QtToolkit::EndProgram() {
  for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
  QApplication::exit(0);
}

std::string QtToolkit::DecimalSeparator() const {
  // The default locale is the system's unless a test fixes another.
  return QLocale().decimalPoint().toStdString();
}

void QtToolkit::FormUnloaded() {
  if (--loadedForms_ == 0) QApplication::exit(0);
}

}  // namespace vemora
