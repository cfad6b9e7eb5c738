#include "app/graphpage/ZELBitmap.h"

#include "app/graphpage/QtBitmap.h"

namespace {

std::unique_ptr<CZELBitmap> MakeImageBitmap(const fw::CDC*, int width, int height)
{
    auto bitmap = std::make_unique<CQtBitmap>(width, height);
    if (bitmap->IsNull())
        return nullptr;
    return bitmap;
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
