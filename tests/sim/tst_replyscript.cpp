#include "sim/replyscript.h"

#include <QTest>

class TestReplyScript : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void TestReplyScript::parse_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<QByteArray>>("lines");

    using Lines = QList<QByteArray>;
    QTest::newRow("empty file") << QByteArray() << Lines{};
    QTest::newRow("LF ends") << QByteArray("D\n0010,0025\nTM\n") << Lines{"D", "0010,0025", "TM"};
    QTest::newRow("CR LF ends") << QByteArray("D\r\nTT\r\n") << Lines{"D", "TT"};
    QTest::newRow("last line without end") << QByteArray("D\nXM") << Lines{"D", "XM"};
    QTest::newRow("empty lines are acknowledgements")
        << QByteArray("\n\nI\n") << Lines{"", "", "I"};
    QTest::newRow("spaces kept") << QByteArray(" V1.2 \n") << Lines{" V1.2 "};
}

void TestReplyScript::parse()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<QByteArray>, lines);
    QCOMPARE(ParseReplyScript(content), lines);
}

QTEST_APPLESS_MAIN(TestReplyScript)
#include "tst_replyscript.moc"
