#include <iostream>

int main() {
  std::cout << "KIRO Remote: the core and its simulated receivers are built; "
               "the window comes with the Qt application.\n";
  return 0;
}
