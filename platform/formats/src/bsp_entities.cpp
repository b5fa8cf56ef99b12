// The map's entity text: a list of { "key" "value" ... } blocks, as the game's parser reads
// it (quoted or bare tokens, // comments to the end of the line).
#include <cstdio>
#include <cstdlib>

#include "format_error.h"
#include "formats/bsp.h"

namespace formats {

using detail::Fail;

namespace {

class Tokens {
  public:
    explicit Tokens(const std::string& text) : m_text(text) {}

    // The next token, false at the end of the text. `quoted` tells a quoted "{" from a brace.
    bool Next(std::string& token, bool& quoted) {
        SkipSpaceAndComments();
        token.clear();
        quoted = false;
        if (m_at >= m_text.size()) {
            return false;
        }
        if (m_text[m_at] == '"') {
            quoted = true;
            ++m_at;
            while (m_at < m_text.size() && m_text[m_at] != '"') {
                token.push_back(m_text[m_at++]);
            }
            if (m_at >= m_text.size()) {
                m_unterminated = true;
                return false;
            }
            ++m_at;
            return true;
        }
        if (m_text[m_at] == '{' || m_text[m_at] == '}') {
            token.push_back(m_text[m_at++]);
            return true;
        }
        while (m_at < m_text.size() && static_cast<unsigned char>(m_text[m_at]) > ' ' &&
               m_text[m_at] != '"' && m_text[m_at] != '{' && m_text[m_at] != '}') {
            token.push_back(m_text[m_at++]);
        }
        return true;
    }
    bool Unterminated() const { return m_unterminated; }

  private:
    void SkipSpaceAndComments() {
        for (;;) {
            while (m_at < m_text.size() && static_cast<unsigned char>(m_text[m_at]) <= ' ') {
                ++m_at;
            }
            if (m_at + 1 < m_text.size() && m_text[m_at] == '/' && m_text[m_at + 1] == '/') {
                while (m_at < m_text.size() && m_text[m_at] != '\n') {
                    ++m_at;
                }
                continue;
            }
            return;
        }
    }

    const std::string& m_text;
    std::size_t m_at = 0;
    bool m_unterminated = false;
};

} // namespace

bool ParseBspEntities(const std::string& text, std::vector<BspEntity>& out, std::string& error) {
    out.clear();
    Tokens tokens(text);
    std::string token;
    bool quoted = false;
    while (tokens.Next(token, quoted)) {
        if (quoted || token != "{") {
            return Fail(error, "entities: expected { before entity %zu", out.size());
        }
        BspEntity entity;
        for (;;) {
            if (!tokens.Next(token, quoted)) {
                return Fail(error,
                            tokens.Unterminated()
                                ? "entities: a quoted text runs to the end in entity %zu"
                                : "entities: entity %zu has no closing }",
                            out.size());
            }
            if (!quoted && token == "}") {
                break;
            }
            if (!quoted && token == "{") {
                return Fail(error, "entities: entity %zu opens another {", out.size());
            }
            std::string key = token;
            if (!tokens.Next(token, quoted)) {
                return Fail(error,
                            tokens.Unterminated()
                                ? "entities: a quoted text runs to the end in entity %zu"
                                : "entities: entity %zu has no closing }",
                            out.size());
            }
            if (!quoted && (token == "}" || token == "{")) {
                return Fail(error, "entities: key \"%.64s\" of entity %zu has no value",
                            key.c_str(), out.size());
            }
            entity.pairs.emplace_back(std::move(key), token);
        }
        out.push_back(std::move(entity));
    }
    if (tokens.Unterminated()) {
        return Fail(error, "entities: a quoted text runs to the end in entity %zu", out.size());
    }
    return true;
}

const std::string* BspEntity::Get(const std::string& key) const {
    for (const auto& [k, v] : pairs) {
        if (k == key) {
            return &v;
        }
    }
    return nullptr;
}

std::string BspEntity::ClassName() const {
    const std::string* v = Get("classname");
    return v ? *v : std::string();
}

std::optional<Vec3> BspEntity::GetVec3(const std::string& key) const {
    const std::string* v = Get(key);
    if (!v) {
        return std::nullopt;
    }
    Vec3 out{};
    const char* p = v->c_str();
    for (float& f : out) {
        char* end = nullptr;
        f = std::strtof(p, &end);
        if (end == p) {
            return std::nullopt;
        }
        p = end;
    }
    return out;
}

} // namespace formats
