#pragma once

namespace kiro {

class aboutView;

// What the About screen's bar buttons ask of the app shell.
class AboutNavigation {
 public:
  virtual ~AboutNavigation() = default;
  // The back button was let go; from: the screen it sits on.
  virtual void jump3(aboutView& from) = 0;
  // The web remote button was let go.
  virtual void openWeb(aboutView& from) = 0;
};

}  // namespace kiro
