#pragma once

#include "ZoDrawingSurfaceClass.h"

/// A surface that draws nothing, for building a diagram whose picture nobody looks at.
class ZoNullDrawingSurfaceClass : public ZoDrawingSurfaceClass {
public:
    void SetPenColor(ZoColorType) override {}
    void SetPenStyle(int) override {}
    void SetPenWidth(int) override {}
    void SetBrushColor(ZoColorType) override {}
    void MoveTo(std::int32_t, std::int32_t) override {}
    void LineTo(std::int32_t, std::int32_t) override {}
    void Ellipse(const ZoRectType&) override {}
    void Rectangle(const ZoRectType&) override {}
    void TextOut(std::int32_t, std::int32_t, const std::string&) override {}
    std::int32_t TextWidth(const std::string&) override { return 0; }
    std::int32_t TextHeight(const std::string&) override { return 0; }
    ZoRectType GetClipRect() override { return {}; }
};
