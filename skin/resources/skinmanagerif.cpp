#include "skinmanagerif.h"

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

ISkinManager* CreateSkinManager()
{
    auto& manager = Instance();
    if (!manager && Factory())
        manager = Factory()();
    return manager.get();
}

void FreeSkinManager()
{
    Instance().reset();
}

} // namespace tarnivo
