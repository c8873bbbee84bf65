#include "cli/json_reader.h"

#include <cstdint>

#include "cli/utf8_text.h"

namespace cli::json {

namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    ReadResult read_document() {
        ReadResult result;
        skip_space();
        Value value;
        if (!read_value(value, 0)) {
            result.error = error_;
            return result;
        }
        skip_space();
        if (at_ < text_.size()) {
            fail("unexpected text after the value");
            result.error = error_;
            return result;
        }
        result.value = std::move(value);
        return result;
    }

private:
    bool fail(const std::string& message) {
        if (!error_.empty()) return false;
        std::size_t line = 1;
        std::size_t column = 1;
        for (std::size_t index = 0; index < at_ && index < text_.size(); ++index) {
            if (text_[index] == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(text_[index]) & 0xC0) != 0x80) {
                ++column;
            }
        }
        error_ = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + message;
        return false;
    }

    void skip_space() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) {
            ++at_;
        }
    }

    bool read_value(Value& value, int depth) {
        if (at_ >= text_.size()) return fail("unexpected end of text");
        const char next = text_[at_];
        if (next == '{' || next == '[') {
            if (depth >= maximum_nesting) return fail("values nested too deeply");
            return next == '{' ? read_object(value, depth + 1) : read_array(value, depth + 1);
        }
        if (next == '"') {
            std::string text;
            if (!read_string(text)) return false;
            value = Value(std::move(text));
            return true;
        }
        if (next == '-' || (next >= '0' && next <= '9')) return read_number(value);
        for (const auto& [word, literal] : {std::pair<std::string_view, Value>{"true", Value(true)},
                                            {"false", Value(false)}, {"null", Value(nullptr)}}) {
            if (text_.substr(at_, word.size()) == word) {
                at_ += word.size();
                value = literal;
                return true;
            }
        }
        return fail("expected a value");
    }

    bool read_object(Value& value, int depth) {
        ++at_;
        Object object;
        skip_space();
        if (at_ < text_.size() && text_[at_] == '}') {
            ++at_;
            value = Value(std::move(object));
            return true;
        }
        for (;;) {
            skip_space();
            if (at_ >= text_.size() || text_[at_] != '"') return fail("expected a member name in quotes");
            const std::size_t key_position = at_;
            std::string key;
            if (!read_string(key)) return false;
            if (object.contains(key)) {
                at_ = key_position;
                return fail("member \"" + key + "\" appears twice");
            }
            skip_space();
            if (at_ >= text_.size() || text_[at_] != ':') return fail("expected ':' after the member name");
            ++at_;
            skip_space();
            Value member;
            if (!read_value(member, depth)) return false;
            object.set(std::move(key), std::move(member));
            skip_space();
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            if (at_ < text_.size() && text_[at_] == '}') {
                ++at_;
                value = Value(std::move(object));
                return true;
            }
            return fail("expected ',' or '}'");
        }
    }

    bool read_array(Value& value, int depth) {
        ++at_;
        Array array;
        skip_space();
        if (at_ < text_.size() && text_[at_] == ']') {
            ++at_;
            value = Value(std::move(array));
            return true;
        }
        for (;;) {
            skip_space();
            Value element;
            if (!read_value(element, depth)) return false;
            array.push_back(std::move(element));
            skip_space();
            if (at_ < text_.size() && text_[at_] == ',') {
                ++at_;
                continue;
            }
            if (at_ < text_.size() && text_[at_] == ']') {
                ++at_;
                value = Value(std::move(array));
                return true;
            }
            return fail("expected ',' or ']'");
        }
    }

    bool digits() {
        const std::size_t start = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
        return at_ > start;
    }

    bool read_number(Value& value) {
        const std::size_t start = at_;
        if (text_[at_] == '-') ++at_;
        if (at_ < text_.size() && text_[at_] == '0') {
            ++at_;
        } else if (!digits()) {
            return fail("expected digits");
        }
        if (at_ < text_.size() && text_[at_] == '.') {
            ++at_;
            if (!digits()) return fail("expected digits after the decimal point");
        }
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
            if (!digits()) return fail("expected digits in the exponent");
        }
        value = Value(Number{std::string(text_.substr(start, at_ - start))});
        return true;
    }

    bool read_hex4(std::uint32_t& unit) {
        if (at_ + 4 > text_.size()) return fail("incomplete \\u escape");
        unit = 0;
        for (int index = 0; index < 4; ++index) {
            const char digit = text_[at_++];
            unit <<= 4;
            if (digit >= '0' && digit <= '9') {
                unit |= static_cast<std::uint32_t>(digit - '0');
            } else if (digit >= 'a' && digit <= 'f') {
                unit |= static_cast<std::uint32_t>(digit - 'a' + 10);
            } else if (digit >= 'A' && digit <= 'F') {
                unit |= static_cast<std::uint32_t>(digit - 'A' + 10);
            } else {
                --at_;
                return fail("bad hexadecimal digit in \\u escape");
            }
        }
        return true;
    }

    bool read_escape(std::string& out) {
        const char kind = text_[at_++];
        switch (kind) {
            case '"': out += '"'; return true;
            case '\\': out += '\\'; return true;
            case '/': out += '/'; return true;
            case 'b': out += '\b'; return true;
            case 'f': out += '\f'; return true;
            case 'n': out += '\n'; return true;
            case 'r': out += '\r'; return true;
            case 't': out += '\t'; return true;
            case 'u': break;
            default: --at_; return fail("unknown escape");
        }
        std::uint32_t unit = 0;
        if (!read_hex4(unit)) return false;
        if (unit >= 0xDC00 && unit <= 0xDFFF) return fail("lone low surrogate in \\u escape");
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            std::uint32_t low = 0;
            if (text_.substr(at_, 2) != "\\u") return fail("high surrogate without its low half");
            at_ += 2;
            if (!read_hex4(low)) return false;
            if (low < 0xDC00 || low > 0xDFFF) return fail("high surrogate without its low half");
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        append_utf8(out, static_cast<char32_t>(unit));
        return true;
    }

    // Copies one UTF-8 sequence after checking it.
    bool read_utf8(std::string& out) {
        const auto lead = static_cast<unsigned char>(text_[at_]);
        int length = 0;
        std::uint32_t point = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            point = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            point = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            point = lead & 0x07u;
        } else {
            return fail("text is not valid UTF-8");
        }
        if (at_ + static_cast<std::size_t>(length) > text_.size()) return fail("text is not valid UTF-8");
        for (int index = 1; index < length; ++index) {
            const auto next = static_cast<unsigned char>(text_[at_ + static_cast<std::size_t>(index)]);
            if ((next & 0xC0) != 0x80) return fail("text is not valid UTF-8");
            point = (point << 6) | (next & 0x3Fu);
        }
        const std::uint32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < shortest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            return fail("text is not valid UTF-8");
        }
        out.append(text_.substr(at_, static_cast<std::size_t>(length)));
        at_ += static_cast<std::size_t>(length);
        return true;
    }

    bool read_string(std::string& out) {
        ++at_;
        for (;;) {
            if (at_ >= text_.size()) return fail("unterminated string");
            const auto next = static_cast<unsigned char>(text_[at_]);
            if (next == '"') {
                ++at_;
                return true;
            }
            if (next == '\\') {
                ++at_;
                if (at_ >= text_.size()) return fail("unterminated string");
                if (!read_escape(out)) return false;
            } else if (next < 0x20) {
                return fail("control character in a string");
            } else if (next < 0x80) {
                out += static_cast<char>(next);
                ++at_;
            } else if (!read_utf8(out)) {
                return false;
            }
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::string error_;
};

}  // namespace

ReadResult read(std::string_view text) { return Reader(text).read_document(); }

}  // namespace cli::json
