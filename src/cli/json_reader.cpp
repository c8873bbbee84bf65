#include "cli/json_reader.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace cli::json {

namespace {

enum class Token { string, opening, number };

bool continues_number(char character) {
    return (character >= '0' && character <= '9') || character == '.' || character == 'e' ||
           character == 'E' || character == '+' || character == '-';
}

// Finds the tokens of a kind in text that the parser has accepted up to them,
// one after the other: the parser's events do not say where they come from.
class TokenCursor {
public:
    TokenCursor(std::string_view text, Token kind) : text_(text), kind_(kind) {}

    // The start of the next token of the kind; the end of the text when there is none.
    std::size_t next() {
        while (at_ < text_.size()) {
            const std::size_t start = at_;
            const char character = text_[at_++];
            Token found;
            if (character == '"') {
                found = Token::string;
                for (; at_ < text_.size() && text_[at_] != '"'; ++at_) {
                    if (text_[at_] == '\\') ++at_;
                }
                ++at_;
            } else if (character == '[' || character == '{') {
                found = Token::opening;
            } else if (character == '-' || (character >= '0' && character <= '9')) {
                found = Token::number;
                while (at_ < text_.size() && continues_number(text_[at_])) ++at_;
            } else {
                continue;
            }
            if (found == kind_) return start;
        }
        return text_.size();
    }

    // The start of the count-th token of the kind (from 1).
    std::size_t nth(std::size_t count) {
        std::size_t start = text_.size();
        for (; count > 0; --count) start = next();
        return start;
    }

private:
    std::string_view text_;
    Token kind_;
    std::size_t at_ = 0;
};

std::string located(std::string_view text, std::size_t offset, const std::string& message) {
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t index = 0; index < offset && index < text.size(); ++index) {
        if (text[index] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[index]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + message;
}

bool has(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// The lexer's complaint about a token in the tool's words.
struct LexerError {
    std::string_view says;
    std::string_view message;
};

constexpr LexerError lexer_errors[] = {
    {"invalid literal", "expected a value"},
    {"expected digit after '-'", "expected digits"},
    {"expected digit after '.'", "expected digits after the decimal point"},
    {"after exponent", "expected digits in the exponent"},
    {"control character", "control character in a string"},
    {"ill-formed UTF-8", "text is not valid UTF-8"},
    {"missing closing quote", "unterminated string"},
    {"must be followed by 4 hex digits", "bad hexadecimal digit in \\u escape"},
    {"must be followed by U+DC00", "high surrogate without its low half"},
    {"must follow U+D800", "lone low surrogate in \\u escape"},
    {"forbidden character after backslash", "unknown escape"},
};

// Builds the document from the parser's events, refusing a repeated key and
// nesting beyond the limit, and turns the parser's errors into the tool's.
class DocumentBuilder final : public nlohmann::json_sax<Json> {
public:
    explicit DocumentBuilder(std::string_view text) : text_(text), numbers_(text, Token::number) {}

    ReadResult result() {
        ReadResult result;
        if (error_.empty()) {
            result.value = std::move(root_);
        } else {
            result.error = error_;
        }
        return result;
    }

    bool null() override { return add(nullptr); }
    bool boolean(bool value) override { return add(value); }
    bool number_integer(number_integer_t value) override {
        const std::size_t start = numbers_.next();
        // The parser reads "-0" as the integer 0; only a double keeps its sign.
        if (value == 0 && start < text_.size() && text_[start] == '-') return add(-0.0);
        return add(value);
    }
    bool number_unsigned(number_unsigned_t value) override {
        numbers_.next();
        return add(value);
    }
    bool number_float(number_float_t value, const string_t&) override {
        numbers_.next();
        return add(value);
    }
    bool string(string_t& value) override {
        ++strings_;
        return add(std::move(value));
    }
    bool binary(binary_t&) override { return false; }  // not in JSON text
    bool start_object(std::size_t) override { return open(Json::object()); }
    bool key(string_t& key) override {
        ++strings_;
        if (open_.back()->contains(key)) {
            error_ = located(text_, TokenCursor(text_, Token::string).nth(strings_),
                             "member \"" + key + "\" appears twice");
            return false;
        }
        key_ = std::move(key);
        return true;
    }
    bool end_object() override {
        open_.pop_back();
        return true;
    }
    bool start_array(std::size_t) override { return open(Json::array()); }
    bool end_array() override {
        open_.pop_back();
        return true;
    }

    bool parse_error(std::size_t position, const std::string& token,
                     const nlohmann::detail::exception& error) override {
        const std::string_view says = error.what();
        const std::size_t end = std::min(position, text_.size());
        // The parser keeps the text of a number or string token, but not of a
        // literal or a structural character.
        const std::size_t token_start = end - std::min(end, token.size());
        if (error.id == 406) {
            error_ = located(text_, token_start, "number out of range");
            return false;
        }
        const bool lexer_error = has(says, "; last read: '");
        const bool literal_error = has(says, "invalid literal");
        if (lexer_error && (has(says, "while parsing value") || has(says, "while parsing object key"))) {
            error_ = located(
                text_,
                literal_error ? letters_before(bad_character(position)) : lexer_error_offset(says, position),
                lexer_message(says));
            return false;
        }
        const std::string_view unexpected = unexpected_token(says);
        std::size_t start = end - 1;  // a structural character
        if (unexpected == "end of input") {
            start = text_.size();
        } else if (literal_error || unexpected == "true literal" || unexpected == "false literal" ||
                   unexpected == "null literal") {
            start = letters_before(literal_error ? bad_character(position) : end);
        } else if (lexer_error || unexpected.ends_with(" literal")) {
            start = token_start;
        }
        std::string message;
        if (has(says, "while parsing array")) {
            message = "expected ',' or ']'";
        } else if (has(says, "while parsing object key")) {
            message = "expected a member name in quotes";
        } else if (has(says, "while parsing object separator")) {
            message = "expected ':' after the member name";
        } else if (has(says, "while parsing object")) {
            message = "expected ',' or '}'";
        } else if (has(says, "; expected end of input")) {
            message = "unexpected text after the value";
        } else {
            message = unexpected == "end of input" ? "unexpected end of text" : "expected a value";
        }
        error_ = located(text_, start, message);
        return false;
    }

private:
    // What the parser found instead of what it expected: "number literal", "']'", ...
    static std::string_view unexpected_token(std::string_view says) {
        constexpr std::string_view marker = "- unexpected ";
        const std::size_t from = says.find(marker);
        if (from == std::string_view::npos) return {};
        const std::size_t start = from + marker.size();
        return says.substr(start, says.find(';', start) - start);
    }

    // The lexer reads one character beyond a token to see where it ends.
    std::size_t bad_character(std::size_t position) const {
        return position > text_.size() ? text_.size() : position - 1;
    }

    // The start of the word that ends at end.
    std::size_t letters_before(std::size_t end) const {
        while (end > 0 && ((text_[end - 1] >= 'a' && text_[end - 1] <= 'z') ||
                           (text_[end - 1] >= 'A' && text_[end - 1] <= 'Z'))) {
            --end;
        }
        return end;
    }

    static std::string lexer_message(std::string_view says) {
        for (const LexerError& known : lexer_errors) {
            if (has(says, known.says)) return std::string(known.message);
        }
        return "expected a value";
    }

    std::size_t lexer_error_offset(std::string_view says, std::size_t position) const {
        // A lone low surrogate is noticed on its last digit, named after it.
        if (has(says, "must follow U+D800")) return std::min(position, text_.size());
        const std::size_t offset = bad_character(position);
        if (has(says, "ill-formed UTF-8")) {
            // Named at the start of the broken sequence.
            for (std::size_t back = 1; back <= 3 && back <= offset; ++back) {
                const auto byte = static_cast<unsigned char>(text_[offset - back]);
                if (byte >= 0xC0) return offset - back;
                if (byte < 0x80) break;
            }
        }
        return offset;
    }

    bool add(Json value) {
        if (open_.empty()) {
            root_ = std::move(value);
            last_ = &root_;
            return true;
        }
        Json& parent = *open_.back();
        if (parent.is_array()) {
            parent.push_back(std::move(value));
            last_ = &parent.back();
        } else {
            last_ = &(parent[key_] = std::move(value));
        }
        return true;
    }

    bool open(Json container) {
        ++openings_;
        if (open_.size() >= maximum_nesting) {
            error_ =
                located(text_, TokenCursor(text_, Token::opening).nth(openings_), "values nested too deeply");
            return false;
        }
        add(std::move(container));
        open_.push_back(last_);
        return true;
    }

    std::string_view text_;
    TokenCursor numbers_;
    Json root_;
    Json* last_ = nullptr;
    std::vector<Json*> open_;
    std::string key_;
    std::size_t strings_ = 0;
    std::size_t openings_ = 0;
    std::string error_;
};

}  // namespace

ReadResult read(std::string_view text) {
    DocumentBuilder builder(text);
    Json::sax_parse(text, &builder);
    return builder.result();
}

}  // namespace cli::json
