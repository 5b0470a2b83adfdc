// The folder of the game's data files (sample puzzles, sounds, help),
// found from where the running program lies, so that the build tree, an
// installed prefix and a prefix moved elsewhere all work.
#pragma once
#include <QString>

// The first existing folder of:
//   <program folder>/../share/vorlaquince   an installed prefix (bin/ beside share/)
//   <program folder>/share/vorlaquince      the build tree
// Empty when neither exists (a program copied away on its own); callers
// then go without the data. Needs the application object.
QString dataFolderPath();

// dataFolderPath() + "/" + relative, or empty when there is no data folder.
QString dataFilePath(const QString& relative);
