#include "docbase/graphpage/ZELBitmap.h"

#include "framework/core/ServiceSlot.h"

namespace {

std::unique_ptr<CZELBitmap> MakeImageBitmap(const fw::CDC*, int width, int height)
{
    IBitmapMaker* maker = fw::Installed<IBitmapMaker>();
    return maker ? maker->Make(width, height) : nullptr;
}

CZELBitmap::Factory& CurrentFactory()
{
    static CZELBitmap::Factory factory = MakeImageBitmap;
    return factory;
}

} // namespace

std::unique_ptr<CZELBitmap> CZELBitmap::CreateCompatible(const fw::CDC* reference, int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    return CurrentFactory()(reference, width, height);
}

CZELBitmap::Factory CZELBitmap::InstallFactory(Factory factory)
{
    Factory previous = CurrentFactory();
    CurrentFactory() = factory ? std::move(factory) : Factory(MakeImageBitmap);
    return previous;
}
