#pragma once
// The open-tool marks: which tool windows are open, so that the dispatcher's guard can bring
// them to the front instead of opening another tool. They point at windows, so they live
// beside the records rather than in them: the records stay plain values that computations
// may take.

#include "platform/window.h"

#include <array>

namespace tw {

// The open-tool marks, in the order the guard visits them.
enum class ToolMark {
    Effective,
    Accelerated,
    Taxes,
    Trade,
    Loan,
    Refinance,
    Mortgage,
    Inflation,
    CreditCard,
    LoanSolver,
    About,
    PrintJob, // set while a printer dialog or print job runs; has no window
    Count     // not a mark: how many there are
};
inline constexpr int kToolMarks = static_cast<int>(ToolMark::Count);

struct OpenMark
{
    bool open = false;
    Window* window = nullptr;
};

struct OpenMarks
{
    std::array<OpenMark, kToolMarks> entries{};

    OpenMark& operator[](ToolMark mark) { return entries[static_cast<int>(mark)]; }
    const OpenMark& operator[](ToolMark mark) const { return entries[static_cast<int>(mark)]; }

    void set(ToolMark mark, Window* window) { (*this)[mark] = OpenMark{true, window}; }
    void clear(ToolMark mark) { (*this)[mark] = OpenMark{}; }

    // The guard: brings every open tool window to the front in table order (the last one
    // visited ends on top) and reports whether any entry is set, the print job included.
    bool raiseOpenTools() const
    {
        bool any = false;
        for (const OpenMark& entry : entries) {
            if (!entry.open)
                continue;
            any = true;
            if (entry.window != nullptr)
                entry.window->bringToFront();
        }
        return any;
    }
};

} // namespace tw
