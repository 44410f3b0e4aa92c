// Where the game's console lines (the game-mode, buffer and renderer lines, and the
// errors) go. On Linux they go wherever the starter put standard output and error
// (console_stdio.cpp). The Windows program has no console window of its own
// (console_win32.cpp): its lines reach the console of the program that started it, if
// there is one, unless they are already redirected to a file or pipe.
#pragma once

// Connects standard output and error to the starter's console where they lead nowhere.
// Called first thing in main, before any line is printed or stdout's buffering is set.
void connectConsole();
