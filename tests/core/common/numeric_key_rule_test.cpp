#include <gtest/gtest.h>

#include "core/common/numeric_key_rule.h"

TEST(NumericKeyRule, AcceptAndRefuseTable) {
    struct TCase {
        const char* Text;
        int SelStart, SelLength;  // length 0 for no selection
        char16_t Key;
        bool Accepted;
    };
    const TCase cases[] = {
        {"", 0, 0, u'5', true}, {"12", 0, 0, u'.', true}, {"", 0, 0, u'.', false}, {"1.5", 0, 0, u'.', false},
        {"12", 1, 1, u'.', false}, {"", 0, 0, u'\b', true}, {"", 0, 0, u'-', false}, {"1", 0, 0, u'e', false},
        {"1", 0, 0, u'\uff11', false},
        // Without a selection the key is appended at the end wherever the caret stands.
        {".5", 0, 0, u'1', false}, {"abc", 0, 0, u'1', false},
        // A typed key replaces the selection: the text it leaves is judged.
        {".5", 0, 1, u'1', true}, {"abc", 0, 3, u'8', true}, {"1.5", 2, 1, u'2', true}, {"72a", 2, 1, u'0', true},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(NumericKeyAccepted(QString::fromUtf8(c.Text), c.SelStart, c.SelLength, QChar(c.Key)), c.Accepted)
            << "text=\"" << c.Text << "\" selection=" << c.SelStart << "+" << c.SelLength << " key=" << int(c.Key);
}
