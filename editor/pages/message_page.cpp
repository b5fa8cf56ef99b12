#include "editor/pages/message_page.h"

#include "editor/pages/page_units.h"
#include "editor/ui.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace {

std::string Trimmed(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) {
        ++begin;
    }
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    return text.substr(begin, end - begin);
}

// The whole text (blanks around it allowed) as an integer.
bool ParseInteger(const std::string& text, int64_t& out) {
    std::string t = Trimmed(text);
    const char* begin = t.data();
    const char* end = t.data() + t.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    auto result = std::from_chars(begin, end, out);
    return result.ec == std::errc() && result.ptr == end && begin != end;
}

// The whole text (blanks around it allowed) as a finite number.
bool ParseNumber(const std::string& text, double& out) {
    std::string t = Trimmed(text);
    const char* begin = t.data();
    const char* end = t.data() + t.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    auto result = std::from_chars(begin, end, out, std::chars_format::general);
    return result.ec == std::errc() && result.ptr == end && begin != end && std::isfinite(out);
}

} // namespace

std::string ComponentKey(const std::string& key, int index) {
    return key + "." + std::to_string(index);
}

const PageField* MessagePage::FindField(std::string_view key) const {
    for (const PageField& f : fields_) {
        if (f.key == key) {
            return &f;
        }
    }
    return nullptr;
}

PageField* MessagePage::FindField(std::string_view key) {
    for (PageField& f : fields_) {
        if (f.key == key) {
            return &f;
        }
    }
    return nullptr;
}

std::string MessagePage::Value(std::string_view key) const {
    const PageField* f = FindField(key);
    return f != nullptr ? f->value : std::string();
}

void MessagePage::SetValue(std::string_view key, std::string value) {
    if (PageField* f = FindField(key)) {
        f->value = std::move(value);
    }
}

void MessagePage::SetRowValue(std::string_view fieldKey, std::string_view rowKey,
                              std::string value) {
    if (PageField* f = FindField(fieldKey)) {
        for (PageListRow& row : f->rows) {
            if (row.key == rowKey) {
                row.value = std::move(value);
                return;
            }
        }
    }
}

bool MessagePage::PressButton(std::string_view, PageContext&) {
    return false;
}

PageField& MessagePage::AddField(std::string key, std::string label, PageFieldKind kind) {
    PageField f;
    f.key = std::move(key);
    f.label = std::move(label);
    f.kind = kind;
    f.readOnly = kind == PageFieldKind::ReadOnly || kind == PageFieldKind::Static;
    fields_.push_back(std::move(f));
    return fields_.back();
}

void MessagePage::AddTriple(const std::string& key, const std::string& label, PageFieldKind kind) {
    AddField(ComponentKey(key, 0), label, kind);
    AddField(ComponentKey(key, 1), "", kind);
    AddField(ComponentKey(key, 2), "", kind);
}

void MessagePage::AddButton(std::string key, std::string label) {
    buttons_.push_back({std::move(key), std::move(label)});
}

void MessagePage::Load(std::string_view key, std::string value) {
    if (PageField* f = FindField(key)) {
        f->filled = value;
        f->value = std::move(value);
    }
}

bool MessagePage::Edited() const {
    for (const PageField& f : fields_) {
        if (f.value != f.filled) {
            return true;
        }
        for (const PageListRow& row : f.rows) {
            if (row.value != row.filled) {
                return true;
            }
        }
    }
    return false;
}

bool MessagePage::Unchanged(std::string_view key) const {
    const PageField* f = FindField(key);
    return f == nullptr || f->value == f->filled;
}

bool MessagePage::TakeInt(std::string_view key, int64_t min, int64_t max, Ui& ui, int64_t& out,
                          bool evenUnchanged) const {
    if (Unchanged(key) && !evenUnchanged) {
        return false;
    }
    int64_t v = 0;
    if (!ParseInteger(Value(key), v) || v < min || v > max) {
        ui.ShowMessage("Please enter an integer between " + page_units::FormatInt(min) + " and " +
                       page_units::FormatInt(max) + ".");
        return false;
    }
    out = v;
    return true;
}

bool MessagePage::TakeNumber(std::string_view key, double min, double max, Ui& ui,
                             double& out) const {
    if (Unchanged(key)) {
        return false;
    }
    double v = 0;
    if (!ParseNumber(Value(key), v) || v < min || v > max) {
        ui.ShowMessage("Please enter a number between " + page_units::FormatNumber(min) + " and " +
                       page_units::FormatNumber(max) + ".");
        return false;
    }
    out = v;
    return true;
}

bool MessagePage::TakeText(std::string_view key, size_t maxChars, Ui& ui, std::string& out) const {
    if (Unchanged(key)) {
        return false;
    }
    std::string v = Value(key);
    if (v.size() > maxChars) {
        ui.ShowMessage("Please enter no more than " + std::to_string(maxChars) + " characters.");
        return false;
    }
    out = std::move(v);
    return true;
}

void MessagePage::LoadCoords(const std::string& key, const int16_t raw[3]) {
    for (int i = 0; i < 3; ++i) {
        Load(ComponentKey(key, i), page_units::FormatNumber(page_units::CoordToPage(raw[i])));
    }
}

void MessagePage::TakeCoords(const std::string& key, Ui& ui, int16_t raw[3]) const {
    // A 16-bit coordinate spans -4096 to 4095.875 game units.
    constexpr double kMin = INT16_MIN * page_units::kCoordScale;
    constexpr double kMax = INT16_MAX * page_units::kCoordScale;
    for (int i = 0; i < 3; ++i) {
        double v = 0;
        if (TakeNumber(ComponentKey(key, i), kMin, kMax, ui, v)) {
            raw[i] = static_cast<int16_t>(page_units::CoordFromPage(v));
        }
    }
}

bool MessagePage::TakeQuarterRaw(std::string_view key, Ui& ui, int64_t& raw) const {
    // A signed byte of quarters: -32 to 31.75.
    constexpr double kMin = INT8_MIN * page_units::kQuarterScale;
    constexpr double kMax = INT8_MAX * page_units::kQuarterScale;
    double v = 0;
    if (!TakeNumber(key, kMin, kMax, ui, v)) {
        return false;
    }
    raw = page_units::QuarterFromPage(v);
    return true;
}
