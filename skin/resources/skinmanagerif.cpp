#include "skinmanagerif.h"

#include "recordingmanager.h"

namespace tarnivo {

namespace {

TSkinManagerFactory& Factory()
{
    static TSkinManagerFactory factory;
    return factory;
}

std::unique_ptr<ISkinManager>& Instance()
{
    static std::unique_ptr<ISkinManager> manager;
    return manager;
}

} // namespace

void RegisterSkinManager(TSkinManagerFactory factory)
{
    Factory() = std::move(factory);
}

ISkinManager* SkinManager()
{
    return Instance().get();
}

ISkinManager& CreateSkinManager()
{
    auto& manager = Instance();
    if (!manager)
        manager = Factory() ? Factory()() : std::make_unique<TRecordingSkinManager>();
    return *manager;
}

void FreeSkinManager()
{
    Instance().reset();
}

} // namespace tarnivo
