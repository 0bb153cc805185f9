#include "tools/skintool/SkinCheck.h"

#include <map>
#include <memory>

#include "platform/core/IniFile.h"
#include "platform/core/Strings.h"
#include "skin/data/bsSkinDataRecords.h"
#include "skin/data/bsUtilsValues.h"

namespace skintool {

using namespace skin;
using platform::core::TMemIniFile;

namespace {

// Lists larger than this get one summary line instead of one line per missing entry.
constexpr int kMaxEntryReports = 1000;

// Every key's value, by kind.
class TInspect : public TbsSkinKeyVisitor {
public:
    std::vector<std::pair<std::string, int32_t>> Integers;
    std::vector<std::pair<std::string, TRect>> Rects;
    std::vector<std::pair<std::string, TPoint>> Points;
    std::vector<std::pair<std::string, std::string>> Texts;

    void Integer(std::string_view k, int32_t& v, int32_t) override { Integers.emplace_back(k, v); }
    void Color(std::string_view, TColor&, TColor) override {}
    void Flag(std::string_view, bool&) override {}
    void Rect(std::string_view k, TRect& v) override { Rects.emplace_back(k, v); }
    void Point(std::string_view k, TPoint& v) override { Points.emplace_back(k, v); }
    void Text(std::string_view k, std::string& v, std::string_view) override { Texts.emplace_back(k, v); }
    void FontStyle(std::string_view, TFontStyles&) override {}
    void Alignment(std::string_view, TAlignment&) override {}
    void MorphKind(std::string_view, TbsMorphKind&) override {}
    void Command(std::string_view, TbsStdCommand&) override {}

    [[nodiscard]] const TRect* FindRect(std::string_view key) const {
        for (const auto& [k, v] : Rects)
            if (k == key) return &v;
        return nullptr;
    }
};

bool EndsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool EmptyRect(const TRect& r) {
    return r.Width() < 1 || r.Height() < 1;
}
bool ZeroRect(const TRect& r) {
    return r == TRect{};
}
bool RectInside(const TRect& r, int w, int h) {
    return r.Left >= 0 && r.Top >= 0 && r.Right <= w && r.Bottom <= h;
}
bool PointInside(const TPoint& p, int w, int h) {
    return p.X >= 0 && p.Y >= 0 && p.X <= w && p.Y <= h;
}

std::string Size(int w, int h) {
    return std::to_string(w) + " x " + std::to_string(h);
}

class TChecker {
public:
    explicit TChecker(const TbsSkinSource& skin) : m_skin(skin) {}

    std::vector<TProblem> Run() {
        if (std::string problem = SkinTextProblem(m_skin.Lines); !problem.empty()) {
            Error("", "", "the description is not text: " + problem);
            return std::move(m_problems);
        }
        m_ini.SetStrings(m_skin.Lines);
        for (const std::string& missing : MissingSkinSections(m_ini))
            Error(missing, "", "required section is missing");
        CheckPictures();
        CheckFormInfo();
        CheckWindowRecords();
        CheckList("SKINOBJECTS", true);
        CheckList("SKINCONTROLS", false);
        CheckReferences();
        return std::move(m_problems);
    }

private:
    void Add(TSeverity s, std::string section, std::string key, std::string message) {
        m_problems.push_back({s, std::move(section), std::move(key), std::move(message)});
    }
    void Error(std::string section, std::string key, std::string message) {
        Add(TSeverity::Error, std::move(section), std::move(key), std::move(message));
    }
    void Warning(std::string section, std::string key, std::string message) {
        Add(TSeverity::Warning, std::move(section), std::move(key), std::move(message));
    }

    [[nodiscard]] int PictureCount() const { return static_cast<int>(m_skin.Pictures.ActivePictures.size()); }
    // A picture that could not be loaded is empty; rectangles in it cannot be checked.
    [[nodiscard]] const TBitmap* Numbered(int index) const {
        if (index < 0 || index >= PictureCount()) return nullptr;
        const TBitmap* b = m_skin.Pictures.ActivePictures[static_cast<std::size_t>(index)].get();
        return b && !b->Empty() ? b : nullptr;
    }

    void CheckIndex(const std::string& section, const std::string& key, int32_t value) {
        if (value == -1) return;
        if (value < -1 || value >= PictureCount()) {
            Error(section, key,
                  "picture index " + std::to_string(value) + " is out of range (the skin has " +
                      std::to_string(PictureCount()) + " numbered pictures)");
        }
    }

    void CheckRectIn(const std::string& section, const std::string& key, const TRect& r,
                     const TBitmap* picture, const std::string& pictureName) {
        if (!picture || ZeroRect(r)) return;
        if (!RectInside(r, picture->Width(), picture->Height())) {
            Error(section, key,
                  "rectangle " + RectToText(r) + " lies outside " + pictureName + " (" +
                      Size(picture->Width(), picture->Height()) + ")");
        }
    }

    void CheckPointsIn(const std::string& section, const TInspect& values, int w, int h,
                       const std::string& what) {
        for (const auto& [key, p] : values.Points) {
            if (!PointInside(p, w, h))
                Error(section, key,
                      "point " + PointToText(p) + " lies outside " + what + " (" + Size(w, h) + ")");
        }
    }

    void CheckPictures() {
        const char* s = "PICTURES";
        if (m_ini.ValueExists(s, "activepicturescount") &&
            !platform::core::TryStrToInt(m_ini.ReadString(s, "activepicturescount", ""))) {
            Error(s, "activepicturescount", "is not a number");
        }
        int count = m_ini.ReadInteger(s, "activepicturescount", 0);
        if (count < 0) Error(s, "activepicturescount", "is negative");
        TbsSkinPictureNames names = ReadSkinPictureNames(m_skin.Lines);
        for (std::size_t i = 0; i < names.ActivePictures.size(); ++i) {
            if (names.ActivePictures[i].empty())
                Error(s, std::to_string(i), "no picture name for a counted picture");
        }
        if (static_cast<std::size_t>(PictureCount()) != names.ActivePictures.size()) {
            Error(s, "activepicturescount",
                  "the description counts " + std::to_string(names.ActivePictures.size()) +
                      " pictures, the skin carries " + std::to_string(PictureCount()));
        }
        struct TSlot {
            const std::string& Name;
            const TBitmap& Bitmap;
            const char* Key;
        };
        for (TSlot slot : {TSlot{names.Picture, m_skin.Pictures.Picture, "picture"},
                           TSlot{names.InactivePicture, m_skin.Pictures.InactivePicture, "inactivepicture"},
                           TSlot{names.Mask, m_skin.Pictures.FrameMask, "mask"}}) {
            if (!slot.Name.empty() && slot.Bitmap.Empty())
                Error(s, slot.Key, "names \"" + slot.Name + "\", but the skin carries no such picture");
            if (slot.Name.empty() && !slot.Bitmap.Empty())
                Warning(s, slot.Key, "is empty, but the skin carries this picture");
        }
    }

    void CheckFormInfo() {
        const char* s = "FORMINFO";
        CheckIndex(s, "bgpictureindex", m_ini.ReadInteger(s, "bgpictureindex", -1));
        CheckIndex(s, "mdibgpictureindex", m_ini.ReadInteger(s, "mdibgpictureindex", -1));
        const TBitmap& main = m_skin.Pictures.Picture;
        if (main.Empty()) return;
        for (const char* key :
             {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint", "hittestlefttoppoint",
              "hittestrighttoppoint", "hittestleftbottompoint", "hittestrightbottompoint"}) {
            TPoint p = SkinReadPoint(m_ini, s, key);
            if (!PointInside(p, main.Width(), main.Height()))
                Error(s, key,
                      "point " + PointToText(p) + " lies outside the main picture (" +
                          Size(main.Width(), main.Height()) + ")");
        }
        for (const char* key : {"clientrect", "buttonsrect", "captionrect"})
            CheckRectIn(s, key, SkinReadRect(m_ini, s, key), &main, "the main picture");
        if (!m_skin.Pictures.FrameMask.Empty())
            CheckRectIn(s, "maskrectarea", SkinReadRect(m_ini, s, "maskrectarea"), &m_skin.Pictures.FrameMask,
                        "the mask picture");
    }

    void CheckWindowRecords() {
        TbsDataSkinPopupWindow popup;
        TbsDataSkinHintWindow hint;
        popup.LoadFromIni(m_ini);
        hint.LoadFromIni(m_ini);
        CheckWindowRecord(popup, popup.windowpictureindex);
        CheckWindowRecord(hint, hint.windowpictureindex);
    }

    // The window picture is used whole; the record's points and rectangles lie in it.
    void CheckWindowRecord(TbsDataSkinRecord& r, int windowPictureIndex) {
        TInspect values;
        r.VisitKeys(values);
        for (const auto& [key, v] : values.Integers)
            if (EndsWith(key, "pictureindex")) CheckIndex(r.SectionName, key, v);
        if (const TBitmap* picture = Numbered(windowPictureIndex)) {
            CheckPointsIn(r.SectionName, values, picture->Width(), picture->Height(), "its window picture");
            for (const auto& [key, rect] : values.Rects)
                CheckRectIn(r.SectionName, key, rect, picture, "its window picture");
        }
    }

    void CheckList(const char* list, bool objects) {
        if (m_ini.ValueExists(list, "count") &&
            !platform::core::TryStrToInt(m_ini.ReadString(list, "count", ""))) {
            Error(list, "count", "is not a number");
        }
        int count = m_ini.ReadInteger(list, "count", 0);
        if (count < 0) {
            Error(list, "count", "is negative");
            return;
        }
        std::vector<int> present = SkinListIndices(m_ini, list, kMaxSkinListCount);
        int beyond = 0;
        for (int i : present)
            if (i >= count) ++beyond;
        if (beyond > 0)
            Warning(list, "count",
                    std::to_string(beyond) + " entries lie beyond count " + std::to_string(count) +
                        " and are ignored");
        int listed = static_cast<int>(present.size()) - beyond;
        if (count > kMaxSkinListCount) {
            Error(list, "count",
                  "count " + std::to_string(count) + " is more than the loader reads (" +
                      std::to_string(kMaxSkinListCount) + ")");
        } else if (count > kMaxEntryReports && listed < count) {
            Warning(list, "count",
                    std::to_string(count - listed) + " of " + std::to_string(count) + " entries are missing");
        }
        std::map<std::string, int> seen;
        for (int i = 0; i < std::min(count, kMaxSkinListCount); ++i) {
            std::string key = std::to_string(i);
            if (!m_ini.ValueExists(list, key)) {
                if (count <= kMaxEntryReports)
                    Warning(list, key, "entry is missing (count is " + std::to_string(count) + ")");
                continue;
            }
            std::string text = m_ini.ReadString(list, key, "");
            TbsSkinEntry entry = SplitEntry(text);
            if (text.find(':') == std::string::npos) {
                Error(list, key, "entry \"" + text + "\" has no ':' between section name and kind");
                continue;
            }
            if (entry.Name.empty()) {
                Error(list, key, "entry \"" + text + "\" has no section name");
                continue;
            }
            std::unique_ptr<TbsDataSkinRecord> record;
            if (objects) {
                record = CreateSkinObjectRecord(entry.Kind, entry.Name);
            } else {
                record = CreateSkinControlRecord(entry.Kind, entry.Name);
            }
            if (!record) {
                Error(list, key, "unknown kind \"" + entry.Kind + "\"");
                continue;
            }
            if (auto it = seen.find(entry.Name); it != seen.end()) {
                Warning(list, key,
                        "\"" + entry.Name + "\" is listed again (first at " + std::to_string(it->second) +
                            "); look-ups find the first");
                continue;
            }
            seen[entry.Name] = i;
            if (!m_ini.SectionExists(entry.Name)) {
                Error(entry.Name, "",
                      "section is missing (listed in [" + std::string(list) + "] " + key + ")");
            }
            record->LoadFromIni(m_ini);
            TInspect values;
            record->VisitKeys(values);
            if (objects) {
                CheckObject(static_cast<TbsDataSkinObject&>(*record), values);
                m_objects[entry.Name] = entry.Kind;
            } else {
                CheckControl(static_cast<TbsDataSkinControl&>(*record), values);
                m_controls[entry.Name] = entry.Kind;
                m_controlRecords.push_back(
                    std::unique_ptr<TbsDataSkinControl>(static_cast<TbsDataSkinControl*>(record.release())));
            }
        }
    }

    void CheckControl(TbsDataSkinControl& r, const TInspect& values) {
        const std::string& s = r.SectionName;
        for (const auto& [key, v] : values.Integers)
            if (EndsWith(key, "pictureindex")) CheckIndex(s, key, v);
        const TBitmap* picture = Numbered(r.pictureindex);
        if (!picture) return;
        std::string pictureName = "picture " + std::to_string(r.pictureindex);
        if (EmptyRect(r.skinrect)) {
            Error(s, "skinrect", "empty rectangle " + RectToText(r.skinrect) + " on a record with a picture");
            return;
        }
        for (const auto& [key, rect] : values.Rects) {
            if (!EndsWith(key, "skinrect")) continue;
            CheckRectIn(s, key, rect, picture, pictureName);
            if (key != "skinrect" && !ZeroRect(rect) &&
                (rect.Width() != r.skinrect.Width() || rect.Height() != r.skinrect.Height()) &&
                key.rfind("roll", 0) != 0) {
                Warning(s, key,
                        "size " + Size(rect.Width(), rect.Height()) + " differs from skinrect (" +
                            Size(r.skinrect.Width(), r.skinrect.Height()) + ")");
            }
        }
        if (auto* custom = dynamic_cast<TbsDataSkinCustomControl*>(&r)) {
            int w = r.skinrect.Width(), h = r.skinrect.Height();
            CheckPointsIn(s, values, w, h, "skinrect");
            if (!ZeroRect(custom->clientrect) && !RectInside(custom->clientrect, w, h))
                Error(s, "clientrect",
                      "rectangle " + RectToText(custom->clientrect) + " lies outside skinrect (" +
                          Size(w, h) + ")");
        }
    }

    void CheckObject(TbsDataSkinObject& r, const TInspect& values) {
        const std::string& s = r.SectionName;
        for (const auto& [key, v] : values.Integers)
            if (EndsWith(key, "pictureindex")) CheckIndex(s, key, v);
        if (EmptyRect(r.skinrect)) Error(s, "skinrect", "empty rectangle " + RectToText(r.skinrect));
        const TBitmap* active = Numbered(r.activepictureindex);
        if (r.skinrectinapicture) {
            CheckRectIn(s, "skinrect", r.skinrect, active,
                        "active picture " + std::to_string(r.activepictureindex));
        } else if (!m_skin.Pictures.Picture.Empty()) {
            CheckRectIn(s, "skinrect", r.skinrect, &m_skin.Pictures.Picture, "the main picture");
        }
        for (const char* key : {"activeskinrect", "downrect", "disableskinrsect", "restorerect",
                                "restoreactiverect", "restoredownrect", "restoreinactiverect"}) {
            const TRect* rect = values.FindRect(key);
            if (!rect || ZeroRect(*rect)) continue;
            if (r.activepictureindex == -1) {
                Warning(s, key, "is set, but activepictureindex is -1");
            } else {
                CheckRectIn(s, key, *rect, active, "active picture " + std::to_string(r.activepictureindex));
            }
        }
    }

    void CheckName(const std::string& section, const char* key, const std::string& name, bool control,
                   const char* expectedKind) {
        if (name.empty()) return;
        const auto& names = control ? m_controls : m_objects;
        auto it = names.find(name);
        if (it == names.end()) {
            Error(section, key,
                  "names \"" + name + "\", which [" + (control ? "SKINCONTROLS" : "SKINOBJECTS") +
                      "] does not list");
        } else if (expectedKind && it->second != expectedKind &&
                   !(std::string_view(expectedKind) == "listbox" && it->second == "checklistbox")) {
            Warning(section, key,
                    "names \"" + name + "\", a " + it->second + " record, not a " + expectedKind);
        }
    }

    void CheckReferences() {
        for (const auto& record : m_controlRecords) {
            const std::string& s = record->SectionName;
            if (auto* combo = dynamic_cast<TbsDataSkinComboBox*>(record.get())) {
                CheckName(s, "listboxname", combo->listboxname, true, "listbox");
            } else if (auto* list = dynamic_cast<TbsDataSkinListBox*>(record.get())) {
                CheckName(s, "vscrollbarname", list->vscrollbarname, true, "scrollbar");
                CheckName(s, "hscrollbarname", list->hscrollbarname, true, "scrollbar");
                CheckName(s, "bothhscrollbarname", list->bothhscrollbarname, true, "scrollbar");
            } else if (auto* tab = dynamic_cast<TbsDataSkinTabControl*>(record.get())) {
                CheckName(s, "updown", tab->updown, true, "updown");
            } else if (auto* bar = dynamic_cast<TbsDataSkinMainMenuBar*>(record.get())) {
                CheckName(s, "menubaritem", bar->menubaritem, false, nullptr);
                CheckName(s, "closebutton", bar->closebutton, false, nullptr);
                CheckName(s, "minbutton", bar->minbutton, false, nullptr);
                CheckName(s, "maxbutton", bar->maxbutton, false, nullptr);
                CheckName(s, "sysmenubutton", bar->sysmenubutton, false, nullptr);
            }
        }
    }

    const TbsSkinSource& m_skin;
    TMemIniFile m_ini;
    std::vector<TProblem> m_problems;
    std::map<std::string, std::string> m_controls;  // name -> kind
    std::map<std::string, std::string> m_objects;
    std::vector<std::unique_ptr<TbsDataSkinControl>> m_controlRecords;
};

}  // namespace

std::string FormatProblem(const TProblem& p) {
    std::string out = p.Severity == TSeverity::Error ? "error: " : "warning: ";
    if (!p.Section.empty()) out += "[" + p.Section + "] ";
    if (!p.Key.empty()) out += p.Key + ": ";
    out += p.Message;
    return out;
}

bool HasErrors(const std::vector<TProblem>& problems) {
    for (const auto& p : problems)
        if (p.Severity == TSeverity::Error) return true;
    return false;
}

std::vector<TProblem> CheckSkin(const TbsSkinSource& skin) {
    return TChecker(skin).Run();
}

}  // namespace skintool
