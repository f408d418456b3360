#include "screens/about/help_text.h"

#include "base/text.h"

namespace kiro {

// Each run between two line feeds or pictures is a text of the catalog, looked up as it
// stands without the white space around it.
const std::string& helpText() {
  static const std::string text =
      Text("Thank you for using the KIRO-Remoter APP").english() + "\n\n" +
      Text("The APP is a wireless remoter.It can communicate with the KIRO receiver via the bluetooth,and then to "
           "realize the focus and shutter release on the camera.")
          .english() +
      "  \n\n" + Text("How to use?").english() + "\n" +
      Text("Before using the APP, ensure that the Bluetooth of your KIRO and your cellphone are on and the KIRO has "
           "been connected to the camera properly.")
          .english() +
      "\n" + Text("1.Click").english() + "   " + Text("button to search your KIRO.").english() + "\n" +
      Text("2.While your KIRO is searched and listed, click Bluetooth button and the APP will connect with your KIRO. "
           "If the connection is successful, the Bluetooth button will light up.")
          .english() +
      "\n" + Text("3.To back to main menu, click ' < '.").english() + "\n" +
      Text("4.To do the focus, press F button. A green indicator will light up to indicate that the KIRO has got the "
           "command.")
          .english() +
      "\n" +
      Text("5.To do the shutter release, press R button. A red indicator and a blue indicator will light up to "
           "indicate that the KIRO has got the command and the camera has completed the shutter release "
           "successfully.")
          .english() +
      "\n\n \n\n" + Text("Copyright © 2026 KIRO Remote developers. All rights reserved.").english();
  return text;
}

}  // namespace kiro
