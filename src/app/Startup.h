#pragma once

#include <memory>
#include <string>

class MainWindow;
class RegistryStore;
class UserInterface;
struct IniDocument;

// Whether a file (not a folder) exists at path; false for "".
bool IniFileExists(const std::string &path);

// Main: reads the settings, opens the remembered file when asked to, and shows the main
// window. nullptr means the program ends here (the settings could not be read, or the
// user cancelled the choice of a file). A fileToOpen is opened in place of the remembered
// file, and at the first start it is the file chosen, so nothing is asked.
std::unique_ptr<MainWindow> Main(IniDocument &doc, UserInterface &ui, RegistryStore &store,
                                 const std::string &fileToOpen = {});
