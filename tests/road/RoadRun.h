#pragma once

// One run of the whole program, as main() runs it, with a driver thread
// that plays the user: `drive` starts once the main window shows; then the
// driver ends the program through ファイル > アプリケーションの終了,
// answering "save changes?" with いいえ. A program that does not end
// within 30 s after that is a failure (the process ends with code 3).

#include <functional>
#include <string>
#include <vector>

namespace road {

int RunRoad(const std::vector<std::string>& args, const std::function<void()>& drive);

// Closes what a failed step may have left open (popups, modal dialogs).
void CloseLeftovers();
// The profile the shut-down writes.
std::string ProfileFile();

} // namespace road
