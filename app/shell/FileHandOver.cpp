#include "app/shell/FileHandOver.h"

#include "app/shell/KIV5980App.h"
#include "app/shell/MainFrame.h"
#include "framework/core/FileSystem.h"

#include <QWidget>

#include <filesystem>
#include <system_error>

fw::CString HandOverSocketPath(const fw::CString& dataFolder)
{
    return fw::fs::PathJoin(dataFolder, kDataFolderSocketName);
}

bool HandFilesToRunningInstance(const fw::CString& dataFolder, const std::vector<fw::CString>& files)
{
    if (files.empty())
        return false;
    std::vector<fw::CString> absolute;
    for (const fw::CString& file : files) {
        std::error_code ec;
        const std::filesystem::path path = std::filesystem::absolute(file.str(), ec);
        absolute.emplace_back(ec ? file.str() : path.lexically_normal().string());
    }
    return fw::HandOverToServer(HandOverSocketPath(dataFolder), absolute);
}

// --- the running instance's end ------------------------------------------------------------------

void CKIV5980App::StartFileHandOver()
{
    m_handOver.Listen(HandOverSocketPath(m_strDataFolder),
                      [this](const std::vector<fw::CString>& files) { OpenHandedFiles(files); });
}

void CKIV5980App::StopFileHandOver()
{
    m_handOver.Close();
}

void CKIV5980App::OpenHandedFiles(const std::vector<fw::CString>& files)
{
    // The window comes up first, so that a message about a file that does
    // not open is seen over it.
    if (CMainFrame* frame = GetMainFrameWnd()) {
        // A minimised window comes back as it was, maximised or not.
        if (QWidget* widget = frame->Widget(); widget && widget->isMinimized())
            widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
        frame->ActivateFrame();
    }
    for (const fw::CString& file : files)
        OpenDocumentFile(file);
}
