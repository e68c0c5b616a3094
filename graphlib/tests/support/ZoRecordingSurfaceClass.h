#pragma once

#include "ZoDrawingSurfaceClass.h"

#include <cstdint>
#include <string>
#include <vector>

/// Drawing surface for tests: measures texts by a fixed rule and records every drawing call
/// with the pen and brush in force, so a test can check what was drawn and in which order.
class ZoRecordingSurfaceClass : public ZoDrawingSurfaceClass {
public:
    enum class Kind { Line, Ellipse, Rectangle, Text };
    struct Call {
        Kind kind;
        ZoRectType box;   // line: left/top = from, right/bottom = to; others: the bounds
        std::string text; // texts only
        ZoColorType penColor;
        int penStyle;
        int penWidth;
        ZoColorType brushColor;
    };

    // Texts measure charWidth pixels per byte and lineHeight pixels high.
    explicit ZoRecordingSurfaceClass(ZoRectType clip = {0, 0, 800, 600}, int charWidth = 6,
                                     int lineHeight = 13)
        : clip(clip), charWidth(charWidth), lineHeight(lineHeight) {}

    void SetPenColor(ZoColorType color) override { penColor = color; }
    void SetPenStyle(int style) override { penStyle = style; }
    void SetPenWidth(int width) override { penWidth = width; }
    void SetBrushColor(ZoColorType color) override { brushColor = color; }
    void MoveTo(std::int32_t x, std::int32_t y) override {
        posX = x;
        posY = y;
    }
    void LineTo(std::int32_t x, std::int32_t y) override {
        Record(Kind::Line, {posX, posY, x, y}, {});
        posX = x;
        posY = y;
    }
    void Ellipse(const ZoRectType& bounds) override { Record(Kind::Ellipse, bounds, {}); }
    void Rectangle(const ZoRectType& bounds) override { Record(Kind::Rectangle, bounds, {}); }
    void TextOut(std::int32_t x, std::int32_t y, const std::string& text) override {
        Record(Kind::Text, {x, y, x + TextWidth(text), y + TextHeight(text)}, text);
    }
    std::int32_t TextWidth(const std::string& text) override {
        ++measures;
        return static_cast<std::int32_t>(text.size()) * charWidth;
    }
    std::int32_t TextHeight(const std::string&) override { return lineHeight; }
    ZoRectType GetClipRect() override { return clip; }

    void SetClip(ZoRectType value) { clip = value; }
    void Forget() {
        calls.clear();
        measures = 0;
    }
    int CountOf(Kind kind) const {
        int n = 0;
        for (const auto& call : calls)
            n += call.kind == kind ? 1 : 0;
        return n;
    }

    std::vector<Call> calls;
    int measures = 0;

private:
    void Record(Kind kind, ZoRectType box, std::string text) {
        calls.push_back({kind, box, std::move(text), penColor, penStyle, penWidth, brushColor});
    }

    ZoRectType clip;
    int charWidth;
    int lineHeight;
    ZoColorType penColor = 0;
    int penStyle = 0;
    int penWidth = 1;
    ZoColorType brushColor = 0xFFFFFF;
    std::int32_t posX = 0;
    std::int32_t posY = 0;
};
