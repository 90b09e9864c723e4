// Start-up and all module-level state: the version texts, the calculation's
// state, the scaler's table and the two windows' references.
#pragma once

#include <string>

#include "about_window/info_form.h"
#include "calc/calc.h"
#include "main_window/layout_scaler.h"
#include "main_window/main_form.h"
#include "os/process.h"
#include "os/registry.h"
#include "toolkit/toolkit.h"

namespace vemora {

class VemoraModul {
 public:
  VemoraModul(Toolkit& toolkit, Registry& registry);
  // Refuses a second copy, builds the version texts, loads, captions and
  // shows the main window.
  void Main(bool prevInstance);

  std::string VersionText;
  std::string RevisionText;
  CalcState calcState;
  LayoutScaler scaler;
  FormRef<MainForm> vemora_Form;
  FormRef<InfoForm> Info_Form;

 private:
  // Program start and file lookup of this system, for the About window.
  class SystemPrograms : public Programs {
    void StartProgram(const std::string& path) override;
    std::string FileLookup(const std::string& path) override { return vemora::FileLookup(path); }
  };

  Toolkit& toolkit_;
  Registry& registry_;
  SystemPrograms programs_;
};

// "Vemora - " + version text + three blanks + the copyright notice.
std::string MainCaption(const std::string& versionText, const std::string& copyright);

}  // namespace vemora
