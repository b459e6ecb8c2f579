#include <gtest/gtest.h>

#include "core/common/numeric_key_rule.h"

TEST(NumericKeyRule, AcceptAndRefuseTable) {
    struct TCase {
        const char* Text;
        int SelStart;  // the selection, length 0 for none
        int SelLength;
        char16_t Key;
        bool Accepted;
    };
    const TCase cases[] = {
        {"", 0, 0, u'5', true},     {"12", 0, 0, u'3', true},   {"12", 0, 0, u'.', true},
        {"1.5", 0, 0, u'2', true},  {"", 0, 0, u'.', false},    {"1.5", 0, 0, u'.', false},
        {"12", 0, 2, u'.', false},  {"12", 0, 2, u'7', true},   {"", 0, 0, u'\b', true},
        {"1.", 0, 0, u'\b', true},  {"", 0, 0, u'-', false},    {"1", 0, 0, u'e', false},
        {"1", 0, 0, u' ', false},   {"1", 0, 0, u'a', false},   {"1", 0, 0, u'\x16', false},
        {"1", 0, 0, u'\r', false},  {"1", 0, 0, u'\uff11', false},
        // Without a selection the key is appended at the end wherever the
        // caret stands: "1.5" plus "." fails even with the caret before the point.
        {".5", 0, 0, u'1', false},  {"abc", 0, 0, u'1', false},
        // A typed key replaces the selection: the text it leaves is judged.
        {".5", 0, 1, u'1', true},   {"abc", 0, 3, u'8', true},  {"1.5", 2, 1, u'2', true},
        {"3.2", 0, 3, u'\b', true}, {"72a", 2, 1, u'0', true},  {"1.5", 2, 1, u'.', false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(NumericKeyAccepted(QString::fromUtf8(c.Text), c.SelStart, c.SelLength, QChar(c.Key)), c.Accepted)
            << "text=\"" << c.Text << "\" selection=" << c.SelStart << "+" << c.SelLength << " key=" << int(c.Key);
}
