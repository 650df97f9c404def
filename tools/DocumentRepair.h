#pragma once
#include <cstddef>
#include <cstdint>

#include "WordSink.h"
#include "records/JpData.h"
#include "records/Marks.h"

// What both readers make of a document before handing it on, so that a document from either
// file format holds only values that the editor can use:
// - the font and colour tables hold at least one entry (the counts stay as read);
// - every font and colour index names an entry, else it becomes 0; a background of
//   kNoBackground is kept: it is how both formats store a character without background;
// - a mark whose code the mark table does not keep is removed from its slot;
// - a character code with no code page 936 form (which no text format can hold) becomes "?";
// - the main track is one of the tracks, 0 only when there are none.
namespace tessaly {

inline constexpr int16_t kNoBackground = -1;
inline constexpr int16_t kUnwritableCode = '?';

using marks::IsStoredMarkCode;

void RepairDocument(JpData& doc);

// The same repair for a reader that hands its characters to a sink a run at a time, while its
// tables may still grow (a DaDur file may name colours after the characters that use them).
// A character's code and marks are repaired in its run; its indexes are left until Finish when
// they name no entry yet, and then every character handed is revisited once.
class RunRepair {
public:
    // Table sizes as far as read.
    void Run(aWordInfo* words, size_t n, size_t fonts, size_t colours);
    // The same for a reader whose codes and marks are valid as it makes them: indexes only.
    void RunOfValidCodes(const aWordInfo* words, size_t n, size_t fonts, size_t colours);
    // Repairs the tables and whatever indexes Run left.
    void Finish(JpData& doc, WordSink& sink) const;

private:
    bool late_ = false;
};

}  // namespace tessaly
