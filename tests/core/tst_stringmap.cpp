// The lexicon's string map: every key added stays found, with its value,
// through the growth of its table, and a key never added is not found.
#include <QtTest>

#include <string>

#include "core/StringMap.h"

using namespace vlq;

class TestStringMap : public QObject {
    Q_OBJECT
private slots:
    void keysSurviveGrowth() {
        StringMap<int> map; // no reserve: grows from empty through many rehashes
        const int count = 5000;
        for (int i = 0; i < count; ++i) map["word" + std::to_string(i)] = i;
        map["word7"] += 1000; // an existing key keeps its entry
        QCOMPARE(map.size(), std::size_t(count));
        for (int i = 0; i < count; ++i) {
            const std::string key = "word" + std::to_string(i);
            const auto it = map.find(key);
            QVERIFY2(it != map.end() && it->first == key, key.c_str());
            QCOMPARE(it->second, i == 7 ? 1007 : i);
        }
        for (const char* absent : {"", "word", "word5000", "Word1", "word01"}) QCOMPARE(map.count(absent), std::size_t(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, map.at("word-1"));
        QVERIFY(StringMap<int>().find("word1") == nullptr);
    }
};

QTEST_APPLESS_MAIN(TestStringMap)
#include "tst_stringmap.moc"
