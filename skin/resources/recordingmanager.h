#pragma once
// TRecordingSkinManager: the skin manager used until the real one (hooks,
// per-window skinning objects) is registered. It keeps the state that the
// requests imply (Enabled, the current skin, the list of skin data) and a log
// of every request, and it skins no window: AddForm answers false and
// FindSkinForm finds nothing.

#include "skinmanagerif.h"

#include "framework/object.h"

#include <string>
#include <vector>

namespace tarnivo {

struct TSkinManagerRequest {
    std::string Operation;      // the ISkinManager operation's name
    std::intptr_t Argument = 0; // action, window, thread id or skin data
    int Delay = 0;              // SetAction only
};

class TRecordingSkinManager : public TObject, public ISkinManager {
public:
    std::string ClassName() const override { return "TRecordingSkinManager"; }

    void SetAction(int action, int delayMs) override;
    TSkinData* CurrentSkin() const override { return m_currentSkin; }
    void SetCurrentSkin(TSkinData* skin) override;
    bool Enabled() const override { return m_enabled; }
    void SetEnabled(bool enabled) override;
    bool Running() const override { return m_running; }
    void SetRunning() override;
    void AddSkinData(TSkinData* skin) override;
    void RemoveSkinData(TSkinData* skin) override;
    void InstallHook() override;
    void InstallThread(DWORD threadId) override;
    void UnInstallThread(DWORD threadId) override;
    void DeleteSysbtn() override;
    bool AddForm(HWND window) override;
    void SetReskinWindow(HWND window) override;
    ISkinFormLink* FindSkinForm(HWND window) override;
    std::vector<ISkinFormLink*> SkinForms() override;

    const std::vector<TSkinManagerRequest>& Requests() const { return m_requests; }
    const std::vector<TSkinData*>& SkinDatas() const { return m_skinDatas; }
    // The last action stored by SetAction; 0 before any.
    int PendingAction() const { return m_pendingAction; }
    bool HookInstalled() const { return m_hookInstalled; }
    HWND ReskinWindow() const { return m_reskinWindow; }
    // The number of requests named `operation`.
    int Count(const std::string& operation) const;

private:
    void Record(const char* operation, std::intptr_t argument = 0, int delay = 0);

    std::vector<TSkinManagerRequest> m_requests;
    std::vector<TSkinData*> m_skinDatas;
    TSkinData* m_currentSkin = nullptr;
    int m_pendingAction = 0;
    bool m_enabled = false;
    bool m_running = false;
    bool m_hookInstalled = false;
    HWND m_reskinWindow = nullptr;
};

} // namespace tarnivo
