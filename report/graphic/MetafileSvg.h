#pragma once
// Metafiles as SVG: an enhanced metafile through libemf2svg, a Windows
// metafile through libwmf's SVG device. What they draw stays lines, shapes
// and text, so a PDF keeps them as vectors.
//
// Rules that are easy to break:
// - The libraries read outside bytes: they only ever get a private copy, and
//   whatever they fail on gives no SVG, never an exception or a message of
//   their own on the terminal.
// - The record structure is checked before a library sees the bytes: they
//   size their buffers and tables by what the headers claim.
// - A Windows metafile with the placeable header is drawn in the frame that
//   header gives (the picture's size), not shrunk to the extent of what it draws.

#include <QByteArray>

#include <optional>
#include <string_view>

std::optional<QByteArray> EmfToSvg(std::string_view bytes);
std::optional<QByteArray> WmfToSvg(std::string_view bytes);
