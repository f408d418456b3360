#include "screens/about/help_text.h"

namespace kiro {

const std::string& helpText() {
  static const std::string text =
      "Thank you for using the KIRO-Remoter APP\n"
      "\n"
      "The APP is a wireless remoter.It can communicate with the KIRO receiver via the bluetooth,and then to "
      "realize the focus and shutter release on the camera.  \n"
      "\n"
      "How to use?\n"
      "Before using the APP, ensure that the Bluetooth of your KIRO and your cellphone are on and the KIRO has "
      "been connected to the camera properly.\n"
      "1.Click   button to search your KIRO.\n"
      "2.While your KIRO is searched and listed, click Bluetooth button and the APP will connect with your KIRO. "
      "If the connection is successful, the Bluetooth button will light up.\n"
      "3.To back to main menu, click ' < '.\n"
      "4.To do the focus, press F button. A green indicator will light up to indicate that the KIRO has got the "
      "command.\n"
      "5.To do the shutter release, press R button. A red indicator and a blue indicator will light up to indicate "
      "that the KIRO has got the command and the camera has completed the shutter release successfully.\n"
      "\n"
      " \n"
      "\n"
      "Copyright © 2026 KIRO Remote developers. All rights reserved.";
  return text;
}

}  // namespace kiro
