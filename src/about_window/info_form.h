// The About window: the program's identity and version texts in, a clip
// playing, and the system-information program started on request.
#pragma once

#include <memory>
#include <string>

#include "os/registry.h"
#include "toolkit/toolkit.h"

namespace vemora {

class InfoForm;

struct InfoFormContext {
  Toolkit& toolkit;
  Registry& registry;
  Programs& programs;
  const std::string& versionText;   // VersionText
  const std::string& revisionText;  // RevisionText
  FormRef<InfoForm>& self;          // Info_Form
};

class InfoForm {
 public:
  explicit InfoForm(InfoFormContext context);
  // Connects the handlers, then runs Form_Load.
  void Load();
  Form& Window() { return *form_; }

 private:
  void Form_Load();
  void Form_Unload();
  void cbOK_Click();
  void cbSysInfo_Click();

  InfoFormContext context_;
  std::unique_ptr<Form> form_;
};

// The clip's full path: the program's directory and the file name, joined
// by the platform's separator.
std::string ClipPath(const std::string& programDirectory);

}  // namespace vemora
