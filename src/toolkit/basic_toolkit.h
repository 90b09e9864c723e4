// The toolkit's share of the classic rules: the application object, the
// message box's default title, and the end of the program, at once when
// asked or when the last loaded form unloads. A toolkit derives from it and
// supplies the native primitives at the end.
#pragma once

#include <vector>

#include "toolkit/toolkit.h"

namespace vemora {

class BasicForm;

class BasicToolkit : public Toolkit {
 public:
  explicit BasicToolkit(AppInfo app) : app_(std::move(app)) {}
  const AppInfo& App() const final { return app_; }
  int MsgBox(std::string_view text, int style, std::string_view title = {}) override;
  void EndProgram() override;

  // True once the program has ended: its loop has nothing left to run.
  bool Ended() const { return ended_; }
  // Every form counts from its creation to its unload (or destruction).
  void FormLoaded(BasicForm& form);
  void FormUnloaded(BasicForm& form);
  void FormDestroyed(BasicForm& form);

 protected:
  // Modal to the whole program: no form takes input until it is closed.
  virtual int NativeMsgBox(std::string_view text, int style, std::string_view title) = 0;
  // Leaves the event loop once the running handler returns.
  virtual void NativeQuit() = 0;
  const std::vector<BasicForm*>& Forms() const { return forms_; }

 private:
  AppInfo app_;
  std::vector<BasicForm*> forms_;
  bool ended_ = false;
};

}  // namespace vemora
