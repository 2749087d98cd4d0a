// The dialog's scrolling banner EsScrollingMarquee1: its font, colours and speed, placed on the
// dialog from its row of the control table.
#pragma once

#include "EsMarque.h"

#include <windows.h>

#include <memory>
#include <string_view>

namespace kolvo {

struct ControlLayout;

extern const std::string_view BannerFontName; // "Times New Roman"
constexpr int BannerFontHeight = 27;          // pixels, character height
constexpr TColor BannerFontColor = 0x808080;  // gray
constexpr int BannerScrollSpeed = 5;

// Created inactive: the dialog switches it on in FormCreate.
std::unique_ptr<TEsScrollingMarquee> CreateBanner(HWND dialog, const ControlLayout& layout);

} // namespace kolvo
