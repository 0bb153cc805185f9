#pragma once
// The record catalogue: every record class, and the kind words of the [SKINOBJECTS] and
// [SKINCONTROLS] lists that select them.

#include <memory>
#include <span>
#include <string_view>

#include "skin/data/bsSkinDataRecordBase.h"
#include "skin/data/bsSkinDataRecordsBoxes.h"
#include "skin/data/bsSkinDataRecordsCustom.h"
#include "skin/data/bsSkinDataRecordsObjects.h"
#include "skin/data/bsSkinDataRecordsPlain.h"

namespace skin {

template <class TRecord>
struct TbsRecordKind {
    const char* Kind;       // the word after the ":" of a list entry (exact, case-sensitive)
    const char* ClassName;  // for tools and messages
    std::unique_ptr<TRecord> (*Create)(std::string sectionName);
};

[[nodiscard]] std::span<const TbsRecordKind<TbsDataSkinObject>> SkinObjectKinds();
[[nodiscard]] std::span<const TbsRecordKind<TbsDataSkinControl>> SkinControlKinds();

// The record class for a kind, named sectionName; nullptr for a kind not in the catalogue.
[[nodiscard]] std::unique_ptr<TbsDataSkinObject> CreateSkinObjectRecord(std::string_view kind,
                                                                        std::string sectionName);
[[nodiscard]] std::unique_ptr<TbsDataSkinControl> CreateSkinControlRecord(std::string_view kind,
                                                                          std::string sectionName);

}  // namespace skin
