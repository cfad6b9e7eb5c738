#pragma once

// Renaming the recorded data of measurement-history steps: each step's
// folder in the project's data folder and the data file inside it get the
// next name of a numbered pattern, and the step takes the new name; and
// retitling them: the test title inside each step's data file.

#include "framework/core/CString.h"

class CKIV5980Doc;
class CReNamePrf;
class CReNameTitlePrf;

class CDataFileRename {
public:
    static constexpr unsigned kIdTargetExists = 511;
    static constexpr unsigned kIdCloseDataFiles = 512;

    // Steps `first` to `last` (not beyond the history's last step); steps
    // without data are skipped. Stops at the first move that fails, telling
    // the user why; every step renamed so far keeps its new name. How many
    // steps were renamed.
    static int Rename(CKIV5980Doc& doc, int first, int last, CReNamePrf& pattern);
    // Rewrites the test title inside the data files of steps `first` to
    // `last` with the pattern (appended to or replacing the step's title)
    // and gives each step its new title. A file that cannot be opened or
    // rewritten is reported and passed over. How many steps got a title.
    static int Retitle(CKIV5980Doc& doc, int first, int last, CReNameTitlePrf& pattern);

    // Whether a document of this project's template manager holds `path`.
    static bool IsDocumentOpen(const CKIV5980Doc& doc, const fw::CString& path);
    // True, after telling the user, when a data file of a step first..last
    // is open: nothing of those steps is renamed or retitled then.
    static bool RefuseOpenDataFiles(CKIV5980Doc& doc, int first, int last, const fw::CString& extension);
    // The data file of a step name: "<folder>/<name>/<name><extension>".
    static fw::CString DataFilePath(const fw::CString& folder, const fw::CString& name, const fw::CString& extension);

private:
    // A move that never replaces an existing target; errno on failure.
    static int MoveNoReplace(const fw::CString& from, const fw::CString& to);
};
