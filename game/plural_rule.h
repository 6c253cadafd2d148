// The rule that picks a plural form for a count, as a gettext catalogue's header gives it:
// "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);". The expression
// is C's, over the one variable n, with its operators ?:, ||, &&, ==, !=, <, >, <=, >=, +, -, *, /, %, ! and
// parentheses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tessel {

class PluralRule {
  public:
    // English's rule: one form for 1, the other for every other count.
    PluralRule();

    // The rule of a header's Plural-Forms value; none when it does not read as one.
    static std::optional<PluralRule> FromHeader(std::string_view pluralForms);
    // The rule of an expression with its number of forms; none when it does not parse.
    static std::optional<PluralRule> Parse(std::string_view expression, std::size_t forms);

    std::size_t forms() const { return forms_; }
    // The form for `n`, from 0 to forms() - 1 (form 0 where the expression gives a form the language lacks
    // or divides by zero).
    std::size_t FormFor(uint64_t n) const;

    struct Node {
        char op;  // 'n', '#' (a number), '?' (with c), '!', or a binary operator ('|' is ||, '&' is &&,
                  // '=' is ==, '~' is !=, 'l' is <=, 'g' is >=; '<', '>', '+', '-', '*', '/', '%' as written)
        uint64_t value = 0;
        int a = -1, b = -1, c = -1;  // the operands, by index
    };

  private:
    uint64_t Evaluate(int node, uint64_t n, bool& failed) const;

    std::vector<Node> nodes_;
    int root_ = -1;
    std::size_t forms_ = 2;
};

}  // namespace tessel
