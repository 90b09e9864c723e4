#include "about_window/info_form.h"

#include "about_window/info_form_design.h"
#include "about_window/sysinfo.h"

namespace vemora {

InfoForm::InfoForm(InfoFormContext context)
    : context_(context), form_(context_.toolkit.CreateForm(InfoFormDesign())) {}

void InfoForm::Load() {
  form_->OnControl("cbOK", Event::Click, [this] { cbOK_Click(); });
  form_->OnControl("cbSysInfo", Event::Click, [this] { cbSysInfo_Click(); });
  form_->OnLoad([this] { Form_Load(); });
  form_->OnUnload([this] { Form_Unload(); });
  form_->Load();
}

void InfoForm::Form_Load() {
  const AppInfo& app = context_.toolkit.App();
  form_->Item("LabelVersion").SetText(Prop::Caption, context_.versionText);
  form_->Item("LabelRevision").SetText(Prop::Caption, context_.revisionText);
  form_->Item("LabelTitel").SetText(Prop::Caption, app.Title);
  form_->Item("LabelCopyright").SetText(Prop::Caption, app.LegalCopyright);
  form_->OpenClip("Animation1", ClipPath(app.Path));
}

void InfoForm::Form_Unload() {
  context_.self.Clear();
}

void InfoForm::cbOK_Click() {
  form_->Unload();
}

void InfoForm::cbSysInfo_Click() {
  StartSysInfo(context_.toolkit, context_.programs, context_.registry);
}

std::string ClipPath(const std::string& programDirectory) {
#ifdef _WIN32
  return programDirectory + "\\quorl.avi";
#else
  return programDirectory + "/quorl.avi";
#endif
}

}  // namespace vemora
