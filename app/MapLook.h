#pragma once

#include <cstdint>

// How the map view shows a map's cells: their art, their colours as painted, or the art with
// the painted colours at half opacity over it (`l`), which shows where the art's colours come
// from without hiding the art. Colours are display-layout words, alpha in the top byte, not
// premultiplied. Pure; never fails.
enum class MapLook { Art, Painted, PaintedOverArt };

// The look of the state's keys: p shows the painted colours, whatever l says.
MapLook mapLook(bool painted, bool paintedOver);

// A painted colour at half its opacity, as it is drawn over the art.
uint32_t halfOpacity(uint32_t pixel);

// `top` drawn over `under`, as the renderer's blending draws a quad of `top` over `under`.
uint32_t drawnOver(uint32_t top, uint32_t under);
