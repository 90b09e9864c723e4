#include "app/vemora_modul.h"

#include "runtime/numbers.h"
#include "runtime/runtime_error.h"

namespace vemora {

VemoraModul::VemoraModul(Toolkit& toolkit, Registry& registry)
    : vemora_Form([this] {
        return std::make_unique<MainForm>(MainFormContext{toolkit_, calcState, scaler, vemora_Form,
                                                          [this] { Info_Form().Window().Show(); }});
      }),
      Info_Form([this] {
        return std::make_unique<InfoForm>(
            InfoFormContext{toolkit_, registry_, programs_, VersionText, RevisionText, Info_Form});
      }),
      toolkit_(toolkit),
      registry_(registry) {}

void VemoraModul::Main(bool prevInstance) {
  if (prevInstance) {
    toolkit_.MsgBox("Vemora ist schon einmal geladen !", kInformation);
    toolkit_.EndProgram();
    return;
  }
  const AppInfo& app = toolkit_.App();
  VersionText = "Version " + IntegerText(app.Major) + "." + IntegerText(app.Minor);
  RevisionText = "Revision " + IntegerText(app.Revision);
  Form& window = vemora_Form().Window();
  window.SetCaption(MainCaption(VersionText, app.LegalCopyright));
  window.Show();
}

void VemoraModul::SystemPrograms::StartProgram(const std::string& path) {
  if (!vemora::StartProgram(path)) Raise(ErrorNumber::kFileNotFound);
}

std::string MainCaption(const std::string& versionText, const std::string& copyright) {
  return "Vemora - " + versionText + "   " + copyright;
}

}  // namespace vemora
