#include "recordingmanager.h"

#include <algorithm>

namespace tarnivo {

void TRecordingSkinManager::Record(const char* operation, std::intptr_t argument, int delay)
{
    m_requests.push_back(TSkinManagerRequest{operation, argument, delay});
}

int TRecordingSkinManager::Count(const std::string& operation) const
{
    return static_cast<int>(std::count_if(m_requests.begin(), m_requests.end(),
                                          [&](const auto& r) { return r.Operation == operation; }));
}

void TRecordingSkinManager::SetAction(int action, int delayMs)
{
    Record("SetAction", action, delayMs);
    m_pendingAction = action;
    // Before the first activation the real manager only switches Enabled;
    // once running it would carry the action out on its timer, which this
    // one cannot: the request stays in the log.
    if (!m_running) {
        if (action == saSkinAll)
            m_enabled = true;
        else if (action == saUnskinAll)
            m_enabled = false;
    }
}

void TRecordingSkinManager::SetCurrentSkin(TSkinData* skin)
{
    Record("SetCurrentSkin", reinterpret_cast<std::intptr_t>(skin));
    m_currentSkin = skin;
}

void TRecordingSkinManager::SetEnabled(bool enabled)
{
    Record("SetEnabled", enabled);
    m_enabled = enabled;
}

void TRecordingSkinManager::SetRunning()
{
    Record("SetRunning");
    m_running = true;
}

void TRecordingSkinManager::AddSkinData(TSkinData* skin)
{
    Record("AddSkinData", reinterpret_cast<std::intptr_t>(skin));
    if (std::find(m_skinDatas.begin(), m_skinDatas.end(), skin) == m_skinDatas.end())
        m_skinDatas.push_back(skin);
}

void TRecordingSkinManager::RemoveSkinData(TSkinData* skin)
{
    Record("RemoveSkinData", reinterpret_cast<std::intptr_t>(skin));
    std::erase(m_skinDatas, skin);
    if (m_currentSkin == skin)
        m_currentSkin = nullptr;
}

void TRecordingSkinManager::InstallHook()
{
    Record("InstallHook");
    m_hookInstalled = true;
}

void TRecordingSkinManager::InstallThread(DWORD threadId)
{
    Record("InstallThread", static_cast<std::intptr_t>(threadId));
}

void TRecordingSkinManager::UnInstallThread(DWORD threadId)
{
    Record("UnInstallThread", static_cast<std::intptr_t>(threadId));
}

void TRecordingSkinManager::DeleteSysbtn()
{
    Record("DeleteSysbtn");
}

bool TRecordingSkinManager::AddForm(HWND window)
{
    Record("AddForm", reinterpret_cast<std::intptr_t>(window));
    return false;
}

void TRecordingSkinManager::SetReskinWindow(HWND window)
{
    Record("SetReskinWindow", reinterpret_cast<std::intptr_t>(window));
    m_reskinWindow = window;
}

ISkinFormLink* TRecordingSkinManager::FindSkinForm(HWND window)
{
    Record("FindSkinForm", reinterpret_cast<std::intptr_t>(window));
    return nullptr;
}

std::vector<ISkinFormLink*> TRecordingSkinManager::SkinForms()
{
    Record("SkinForms");
    return {};
}

} // namespace tarnivo
