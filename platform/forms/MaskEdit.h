#pragma once
// The masked edit: an edit whose text follows an edit mask of the form
// "mask[;saveLiterals[;blank]]". In the mask:
//   0 digit (required)      9 digit (optional)      # digit or sign (optional)
//   L letter (required)     l letter (optional)
//   A letter or digit (req) a letter or digit (opt)
//   C any character (req)   c any character (opt)
//   > upper case from here  < lower case from here  <> no conversion
//   \ the next character is a literal               _ a blank literal
//   ! trailing blanks are kept off the value         other characters are literals
// saveLiterals "0" leaves the literals out of Value (default "1"); blank is the character shown in
// empty places (default "_"). Typing fills the places and skips the literals; Backspace and
// Delete empty places; leaving the edit with an empty required place is refused with a clear
// message and the focus stays. Without a mask it is a plain edit.

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/Edit.h"

namespace platform::forms {

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* owner);

    // With a mask the text is put into its places.
    void SetText(const std::string& value) override;

    [[nodiscard]] const std::string& EditMask() const { return m_editMask; }
    // Sets the mask and shows the text in it (empty places blank).
    void SetEditMask(const std::string& value);
    [[nodiscard]] bool IsMasked() const { return !m_places.empty(); }
    // The text without the mask's dressing: blanks become spaces, literals stay only with
    // saveLiterals.
    [[nodiscard]] std::string Value() const;
    // Whether every required place is filled.
    [[nodiscard]] bool IsValid() const;
    // The message of a refused exit.
    static constexpr const char* kInvalidInput = "Invalid input value. Use escape key to abandon changes";
    // Checks the text; on failure calls OnValidateError (or shows the message) and returns false.
    bool ValidateEdit();

    // Told when leaving the edit was refused; without it the message shows in a message box.
    std::function<void(TComponent* sender, const std::string& message)> OnValidateError;

protected:
    enum class TPlaceKind : uint8_t { Literal, Digit, DigitOrSign, Letter, AlphaNum, Any };
    struct TPlace {
        TPlaceKind Kind = TPlaceKind::Literal;
        char32_t Literal = 0;  // literals
        bool Required = false;
        int Case = 0;  // -1 lower, 0 none, 1 upper
    };

    void TypeCharacter(char32_t ch) override;
    bool EditBackspace() override;
    bool EditDelete(bool byWord) override;
    bool EditInsert(std::string_view text) override;
    [[nodiscard]] std::size_t CaretTarget(std::size_t pos, bool forward) const override;
    void DoExit() override;
    void DefaultHandler(TMessage& message) override;

private:
    void ParseMask(const std::string& mask);
    // The text put into the mask's places, in order (literals of the text are matched).
    [[nodiscard]] std::string Dress(std::string_view text) const;
    // Places by code point index; byte offsets of each place in the current text.
    [[nodiscard]] std::vector<std::size_t> PlaceOffsets() const;
    [[nodiscard]] int PlaceAt(std::size_t byteOffset) const;
    [[nodiscard]] bool Accepts(const TPlace& place, char32_t ch) const;
    bool PutChar(char32_t ch);
    bool BlankRange(std::size_t from, std::size_t to);

    std::string m_editMask;
    std::vector<TPlace> m_places;
    bool m_saveLiterals = true;
    bool m_trimBlanks = false;
    char32_t m_blank = U'_';
    bool m_dressing = false;
    bool m_refusalPending = false;  // a refused exit shows its message when the focus is back
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* owner) : TCustomMaskEdit(owner) {}
};

}  // namespace platform::forms
