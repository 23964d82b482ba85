#pragma once

#include <memory>

class TForm1;

// Builds the main window. When its language file can't be written, says so and returns nothing:
// the program then ends before any window is shown.
std::unique_ptr<TForm1> createMainWindow();
