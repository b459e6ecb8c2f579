#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTreeWidget>

#include "core/lan/lan_client.h"
#include "core/lan/lan_server.h"
#include "core/lan/server_list.h"
#include "support/dialog_driver.h"
#include "support/main_form_fixture.h"
#include "ui/lan/client_form.h"
#include "ui/lan/client_start_form.h"
#include "ui/lan/ip_edit_form.h"
#include "ui/lan/server_form.h"

namespace {

// The main window with the LAN windows made as the start-up makes them.
class LanFormsTest : public ::testing::Test, public TMainFormFixture {
protected:
    std::unique_ptr<TClientForm> Client;
    std::unique_ptr<TServerForm> Server;
    std::unique_ptr<TClientStartForm> Start;
    std::unique_ptr<TIPEditForm> Entry;

    void OpenAll() {
        MakeRecipe(DataRoot(), {.Name = "肉じゃが", .Foodstuff = "じゃがいも\n牛肉", .How = "煮る \"弱火\"",
                                .Comment = "定番", .Photo = true});
        WriteRaw(DataRoot() + "/肉じゃが/写真.jpg", SmallJpeg(640, 480, QColor(170, 90, 40)));  // shrunk to fit
        MakeRecipe(DataRoot(), {.Name = "a, b"});
        Open();
        Client = std::make_unique<TClientForm>(Form.get());
        Server = std::make_unique<TServerForm>(Book(), Form.get());
        Server->Server().Port = 0;
        QObject::connect(Server.get(), &TServerForm::ServingChanged, Form.get(), &TMainForm::SetServerMode);
        Start = std::make_unique<TClientStartForm>(AppDir(), Windows, Form.get());
        Entry = std::make_unique<TIPEditForm>(Form.get());
        Windows.ClientForm = Client.get();
        Windows.ServerForm = Server.get();
        Windows.ClientStartForm = Start.get();
        Windows.IPEditForm = Entry.get();
    }
    void TearDown() override {
        Windows = TWindows{};
        Start.reset();
        Entry.reset();
        Server.reset();
        Client.reset();
    }
    template <typename T>
    T* In(QWidget* window, const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool Enabled(const char* action) const { return Find<QAction>(action)->isEnabled(); }
    void WaitIdle() { EXPECT_TRUE(QTest::qWaitFor([&] { return !Client->Client().Busy(); }, 5000)); }
};

}  // namespace

TEST_F(LanFormsTest, ServerCommandsSwitchTheStatusDisplays) {
    OpenAll();
    EXPECT_FALSE(Find<QMenu>("MenuServer")->menuAction()->isVisible());
    // {command, serving afterwards}
    const std::pair<const char*, bool> steps[] = {{"MenuStartup", true}, {"MenuClose", false}, {"MenuStartup", true}};
    EXPECT_TRUE(Enabled("MenuStartup"));
    EXPECT_FALSE(Enabled("MenuClose"));
    for (const auto& [command, serving] : steps) {
        Trigger(command);
        EXPECT_EQ(Server->Serving(), serving) << command;
        EXPECT_EQ(StatusText(3), serving ? "SERVER MODE" : "") << command;
        EXPECT_EQ(Enabled("MenuStartup"), !serving) << command;
        EXPECT_EQ(Enabled("MenuClose"), serving) << command;
        EXPECT_EQ(In<QLabel>(Server.get(), "PanelStatus")->text(), serving ? "動作中" : "停止中");
        EXPECT_EQ(In<QLabel>(Server.get(), "PanelStatus")->palette().color(QPalette::WindowText),
                  serving ? QColor(Qt::blue) : QColor(Qt::red));
        EXPECT_EQ(In<QPushButton>(Server.get(), "SpeedButton1")->isEnabled(), !serving);
        EXPECT_EQ(In<QPushButton>(Server.get(), "SpeedButton2")->isEnabled(), serving);
        EXPECT_EQ(In<QLabel>(Server.get(), "StatusPanel0")->text().isEmpty(), !serving);
    }
    // "閉じる" hides the window; the server goes on.
    Trigger("Detail1");
    EXPECT_TRUE(Server->isVisible());
    QTest::mouseClick(In<QPushButton>(Server.get(), "BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(Server->isVisible());
    EXPECT_TRUE(Server->Serving());
    Trigger("MenuClose");

    // A port in use: reported, and nothing changes.
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, 0));
    Server->Server().Port = taken.serverPort();
    Trigger("MenuStartup");
    EXPECT_EQ(Answers.Calls().back().Type, TMsgType::Error);
    EXPECT_FALSE(Server->Serving());
    EXPECT_EQ(StatusText(3), "");
    EXPECT_TRUE(Enabled("MenuStartup"));
    EXPECT_EQ(In<QLabel>(Server.get(), "PanelStatus")->text(), "停止中");
}

TEST_F(LanFormsTest, ClientListsAndShowsARecipeOfALoopbackServer) {
    OpenAll();
    ASSERT_TRUE(Server->StartServer());
    Client->ServerPort = Server->Server().ListeningPort();
    Client->SetServer("台所", "127.0.0.1");
    Client->show();
    auto* list = In<QListWidget>(Client.get(), "ListBox1");
    QTest::mouseClick(In<QPushButton>(Client.get(), "BitBtn1"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() == 2; }, 5000));
    EXPECT_EQ(list->item(0)->text(), "a, b");
    EXPECT_EQ(list->item(1)->text(), "肉じゃが");
    WaitIdle();

    list->setCurrentRow(1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    auto* memo1 = In<QPlainTextEdit>(Client.get(), "Memo1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !memo1->toPlainText().isEmpty(); }, 5000));
    EXPECT_EQ(memo1->toPlainText(), "じゃがいも\n牛肉\n");
    EXPECT_EQ(In<QPlainTextEdit>(Client.get(), "Memo2")->toPlainText(), "煮る \"弱火\"\n");
    EXPECT_EQ(In<QPlainTextEdit>(Client.get(), "Memo3")->toPlainText(), "定番\n");
    EXPECT_EQ(In<QLabel>(Client.get(), "PanelRecipeName")->text(), "肉じゃが");
    EXPECT_FALSE(Client->ShownPhoto().isNull());
    WaitIdle();

    // The access log: one line per connect and per disconnect.
    auto* log = In<QPlainTextEdit>(Server.get(), "Memo1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return log->blockCount() >= 4; }, 5000));
    const QStringList lines = log->toPlainText().split('\n');
    EXPECT_TRUE(lines[0].startsWith("接続 ")) << lines[0].toStdString();
    EXPECT_EQ(lines[0].mid(28, 15), QString("127.0.0.1").leftJustified(15));
    EXPECT_EQ(lines.filter(QRegularExpression("^接続 ")).size(), 2);
    EXPECT_EQ(lines.filter(QRegularExpression("^切断 ")).size(), 2);

    if (qEnvironmentVariableIsSet("SAPORIA_LAN_PNG")) {
        Client->grab().save(qEnvironmentVariable("SAPORIA_LAN_PNG") + "/client.png");
        Server->show();
        Server->grab().save(qEnvironmentVariable("SAPORIA_LAN_PNG") + "/server.png");
    }
    EXPECT_EQ(Answers.Unanswered(), 0) << Answers.Texts().join('\n').toStdString();
}

TEST_F(LanFormsTest, ClientReportsEveryFailureAndIsReadyAgain) {
    OpenAll();
    // A peer that answers each request with the next scripted reply (or nothing).
    QTcpServer peer;
    ASSERT_TRUE(peer.listen(QHostAddress::LocalHost, 0));
    QByteArray script;
    QObject::connect(&peer, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = peer.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
            socket->readAll();
            if (!script.isEmpty())
                socket->write(script);
        });
    });
    Client->ServerPort = peer.serverPort();
    Client->Client().TimeoutMs = 300;
    Client->SetServer("peer", "127.0.0.1");
    auto* list = In<QListWidget>(Client.get(), "ListBox1");
    list->addItems({"x", "y"});

    // {reply, message shown}
    const std::pair<QByteArray, QString> cases[] = {
        {"ERR:", "Error SeverReply"},
        {"", "Error ClientSocketRead"},  // silent: the time-out ends it
        {R"(ITM:"a","b","!!!!","c")", "Error ClientSocketRead"},
    };
    for (const auto& [reply, message] : cases) {
        script = reply;
        Answers.ClearLog();
        list->setCurrentRow(0);
        Client->ListBox1Click();
        // While the request is out a click on another name does nothing.
        list->setCurrentRow(1);
        Client->ListBox1Click();
        EXPECT_EQ(In<QLabel>(Client.get(), "PanelRecipeName")->text(), "x");
        WaitIdle();
        ASSERT_EQ(Answers.Calls().size(), 1u) << message.toStdString();
        EXPECT_EQ(Answers.Calls()[0].Text, message);
        EXPECT_EQ(In<QLabel>(Client.get(), "StatusPanel0")->text(), "");
    }
    const quint16 port = peer.serverPort();
    peer.close();
    Client->ServerPort = port;
    Answers.ClearLog();
    Client->BitBtn1Click();
    WaitIdle();
    ASSERT_EQ(Answers.Calls().size(), 1u);
    EXPECT_EQ(Answers.Calls()[0].Text, "接続先が見つかりません");
}

TEST_F(LanFormsTest, ServerListWindowEditsAndWritesTheFile) {
    OpenAll();
    WriteServerList(ServerListPath(AppDir()), {{"home", "192.168.0.2"}});
    Trigger("C1");
    ASSERT_TRUE(Start->isVisible());
    auto* view = In<QTreeWidget>(Start.get(), "ListView1");
    ASSERT_EQ(view->topLevelItemCount(), 1);
    EXPECT_FALSE(In<QPushButton>(Start.get(), "BitBtn1")->isEnabled());

    // The entry dialog: {name, address, message}; an empty message closes with OK.
    const std::tuple<QString, QString, QString> entries[] = {
        {"", "1.2.3.4", "接続先名称が入力されていません"},
        {"n", "", "IPアドレスが入力されていません"},
        {QStringLiteral("台所😀"), "1.2.3.4", "😀"},
        {"a, \"b\"", "  ", ""},
    };
    for (const auto& [name, address, message] : entries) {
        Answers.ClearLog();
        bool stayed = false;
        WhenShown(Entry.get(), [&, name = name, address = address] {
            In<QLineEdit>(Entry.get(), "Edit1")->setText(name);
            In<QLineEdit>(Entry.get(), "Edit2")->setText(address);
            Entry->Button1Click();
            stayed = Entry->isVisible();
            if (stayed)
                Entry->reject();
        });
        Start->SpeedButton1Click();
        EXPECT_EQ(stayed, !message.isEmpty()) << name.toStdString();
        if (!message.isEmpty()) {
            ASSERT_EQ(Answers.Calls().size(), 1u);
            EXPECT_TRUE(Answers.Calls()[0].Text.contains(message)) << Answers.Calls()[0].Text.toStdString();
        }
    }
    const TServerEntries expected = {{"home", "192.168.0.2"}, {"a, \"b\"", "  "}};
    EXPECT_EQ(Start->Entries(), expected);

    // Delete asks first; No keeps the row.
    view->setCurrentItem(view->topLevelItem(0));
    Answers.Answer(TMsgResult::No);
    Start->SpeedButton3Click();
    EXPECT_EQ(Start->Entries(), expected);
    Start->close();
    EXPECT_EQ(ReadServerList(ServerListPath(AppDir())), expected);

    // OK opens the client window on the chosen entry and asks for the list.
    Trigger("C1");
    view->setCurrentItem(view->topLevelItem(0));
    QTest::mouseClick(In<QPushButton>(Start.get(), "BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(Start->isVisible());
    EXPECT_TRUE(Client->isVisible());
    EXPECT_EQ(In<QLineEdit>(Client.get(), "Edit2")->text(), "home");
    EXPECT_EQ(In<QLineEdit>(Client.get(), "Edit1")->text(), "192.168.0.2");
    EXPECT_TRUE(Client->Client().Busy());
}
