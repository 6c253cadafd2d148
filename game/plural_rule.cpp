#include "game/plural_rule.h"

#include <cctype>
#include <string>

namespace tessel {

namespace {

// Deeper nesting than any language's rule needs is refused rather than followed down the stack.
constexpr int MAX_DEPTH = 64;

// A recursive-descent parser of C's precedence, from the conditional down to the primaries.
class Parser {
  public:
    Parser(std::string_view text, std::vector<PluralRule::Node>& nodes) : text_(text), nodes_(nodes) {}

    int Whole() {
        int root = Conditional();
        Skip();
        return pos_ == text_.size() ? root : -1;
    }

  private:
    using Node = PluralRule::Node;

    void Skip() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    bool Take(std::string_view token) {
        Skip();
        if (text_.substr(pos_, token.size()) != token) return false;
        pos_ += token.size();
        return true;
    }
    int Add(Node node) {
        if (node.op != 'n' && node.op != '#' && (node.a < 0 || (node.op != '!' && node.b < 0))) return -1;
        if (node.op == '?' && node.c < 0) return -1;
        nodes_.push_back(node);
        return static_cast<int>(nodes_.size()) - 1;
    }

    int Conditional() {
        if (++depth_ > MAX_DEPTH) return -1;
        int condition = Or();
        if (condition >= 0 && Take("?")) {
            int then = Conditional();
            if (then < 0 || !Take(":")) return -1;
            int otherwise = Conditional();
            condition = Add({'?', 0, condition, then, otherwise});
        }
        --depth_;
        return condition;
    }
    int Or() {
        int left = And();
        while (left >= 0 && Take("||")) left = Add({'|', 0, left, And()});
        return left;
    }
    int And() {
        int left = Equality();
        while (left >= 0 && Take("&&")) left = Add({'&', 0, left, Equality()});
        return left;
    }
    int Equality() {
        int left = Relation();
        while (left >= 0) {
            if (Take("=="))
                left = Add({'=', 0, left, Relation()});
            else if (Take("!="))
                left = Add({'~', 0, left, Relation()});
            else
                break;
        }
        return left;
    }
    int Relation() {
        int left = Sum();
        while (left >= 0) {
            if (Take("<="))
                left = Add({'l', 0, left, Sum()});
            else if (Take(">="))
                left = Add({'g', 0, left, Sum()});
            else if (Take("<"))
                left = Add({'<', 0, left, Sum()});
            else if (Take(">"))
                left = Add({'>', 0, left, Sum()});
            else
                break;
        }
        return left;
    }
    int Sum() {
        int left = Product();
        while (left >= 0) {
            if (Take("+"))
                left = Add({'+', 0, left, Product()});
            else if (Take("-"))
                left = Add({'-', 0, left, Product()});
            else
                break;
        }
        return left;
    }
    int Product() {
        int left = Unary();
        while (left >= 0) {
            if (Take("*"))
                left = Add({'*', 0, left, Unary()});
            else if (Take("/"))
                left = Add({'/', 0, left, Unary()});
            else if (Take("%"))
                left = Add({'%', 0, left, Unary()});
            else
                break;
        }
        return left;
    }
    int Unary() {
        if (++depth_ > MAX_DEPTH) return -1;
        int node = -1;
        if (Take("!="))
            node = -1;  // "!=" where an operand belongs
        else if (Take("!"))
            node = Add({'!', 0, Unary()});
        else
            node = Primary();
        --depth_;
        return node;
    }
    int Primary() {
        if (Take("(")) {
            int inner = Conditional();
            return inner >= 0 && Take(")") ? inner : -1;
        }
        if (Take("n")) return Add({'n'});
        Skip();
        std::size_t start = pos_;
        uint64_t value = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])) &&
               pos_ - start < 9)
            value = value * 10 + static_cast<uint64_t>(text_[pos_++] - '0');
        return pos_ > start ? Add({'#', value}) : -1;
    }

    std::string_view text_;
    std::vector<Node>& nodes_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};

// The value after "name=" in a header's "nplurals=2; plural=n != 1;", up to its semicolon.
std::optional<std::string_view> Field(std::string_view header, std::string_view name) {
    for (std::size_t at = 0; (at = header.find(name, at)) != std::string_view::npos; at += name.size()) {
        std::size_t after = at + name.size();
        bool starts = at == 0 || header[at - 1] == ' ' || header[at - 1] == ';' || header[at - 1] == '\t';
        while (after < header.size() && header[after] == ' ') ++after;
        if (!starts || after >= header.size() || header[after] != '=') continue;
        std::size_t end = header.find(';', after);
        return header.substr(after + 1, end == std::string_view::npos ? end : end - after - 1);
    }
    return std::nullopt;
}

}  // namespace

// n != 1, by hand: Parse starts from this rule.
PluralRule::PluralRule() : nodes_{{'n'}, {'#', 1}, {'~', 0, 0, 1}}, root_(2) {}

std::optional<PluralRule> PluralRule::FromHeader(std::string_view pluralForms) {
    auto forms = Field(pluralForms, "nplurals");
    auto expression = Field(pluralForms, "plural");
    if (!forms || !expression) return std::nullopt;
    std::size_t count = 0;
    for (char c : *forms) {
        if (c == ' ') continue;
        if (!std::isdigit(static_cast<unsigned char>(c)) || count > 100) return std::nullopt;
        count = count * 10 + static_cast<std::size_t>(c - '0');
    }
    return Parse(*expression, count);
}

std::optional<PluralRule> PluralRule::Parse(std::string_view expression, std::size_t forms) {
    if (forms < 1 || forms > 100) return std::nullopt;
    PluralRule rule;
    rule.nodes_.clear();
    rule.forms_ = forms;
    rule.root_ = Parser(expression, rule.nodes_).Whole();
    if (rule.root_ < 0) return std::nullopt;
    return rule;
}

std::size_t PluralRule::FormFor(uint64_t n) const {
    bool failed = false;
    uint64_t form = Evaluate(root_, n, failed);
    return failed || form >= forms_ ? 0 : static_cast<std::size_t>(form);
}

// Operands are always earlier nodes than their operator, so the walk ends.
uint64_t PluralRule::Evaluate(int index, uint64_t n, bool& failed) const {
    const Node& node = nodes_[static_cast<std::size_t>(index)];
    auto a = [&] { return Evaluate(node.a, n, failed); };
    auto b = [&] { return Evaluate(node.b, n, failed); };
    switch (node.op) {
        case 'n':
            return n;
        case '#':
            return node.value;
        case '!':
            return !a();
        case '?':
            return a() ? b() : Evaluate(node.c, n, failed);
        case '|':
            return a() || b();
        case '&':
            return a() && b();
        case '=':
            return a() == b();
        case '~':
            return a() != b();
        case '<':
            return a() < b();
        case '>':
            return a() > b();
        case 'l':
            return a() <= b();
        case 'g':
            return a() >= b();
        case '+':
            return a() + b();
        case '-':
            return a() - b();
        case '*':
            return a() * b();
        case '/':
        case '%': {
            uint64_t left = a(), right = b();
            if (right == 0) {
                failed = true;
                return 0;
            }
            return node.op == '/' ? left / right : left % right;
        }
    }
    return 0;
}

}  // namespace tessel
