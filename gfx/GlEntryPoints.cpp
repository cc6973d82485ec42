#include "gfx/GlEntryPoints.h"

#include "platform/GlLibrary.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// One entry point: its name and how to store a resolved address in its field.
struct Slot {
    const char* name;
    void (*store)(GlEntryPoints& table, void* address);
};

constexpr std::array<Slot, GlEntryPoints::count> tableOrder() {
    return {{
#define LEVELCOLORS_GL_SLOT(result, name, params)                                                  \
    Slot{#name, [](GlEntryPoints& table, void* address) {                                          \
             table.name = reinterpret_cast<decltype(table.name)>(address);                         \
         }},
        LEVELCOLORS_GL_ENTRY_POINTS(LEVELCOLORS_GL_SLOT)
#undef LEVELCOLORS_GL_SLOT
    }};
}

constexpr int indexOf(const std::array<Slot, GlEntryPoints::count>& slots, const char* name) {
    for (int i = 0; i < GlEntryPoints::count; ++i) {
        const char* a = slots[i].name;
        const char* b = name;
        while (*a && *a == *b) {
            ++a;
            ++b;
        }
        if (*a == *b)
            return i;
    }
    return -1;
}

// The lookup order is the table order, except that glPushMatrix is asked before glPopMatrix.
constexpr std::array<Slot, GlEntryPoints::count> lookupOrder() {
    std::array<Slot, GlEntryPoints::count> slots = tableOrder();
    const int pop = indexOf(slots, "glPopMatrix");
    const int push = indexOf(slots, "glPushMatrix");
    const Slot saved = slots[pop];
    slots[pop] = slots[push];
    slots[push] = saved;
    return slots;
}

constexpr std::array<Slot, GlEntryPoints::count> slots = lookupOrder();
static_assert(indexOf(slots, "glPushMatrix") + 1 == indexOf(slots, "glPopMatrix"),
              "glPushMatrix is looked up just before glPopMatrix");

} // namespace

void GlEntryPoints::load(GlResolver resolve) {
    for (const Slot& slot : slots) {
        // The Windows font entry point exists only in the Windows binding; elsewhere it is
        // left null rather than asked for.
        if (std::strcmp(slot.name, "wglUseFontBitmapsA") == 0 && !glHasWindowsFontEntryPoint())
            continue;
        void* address = resolve(slot.name);
        if (!address) {
            std::printf("Unable to get function pointer for %s\n", slot.name);
            std::exit(1);
        }
        slot.store(*this, address);
    }
}
