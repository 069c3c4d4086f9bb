#include "platform/rtl/OperatorMessages.h"

#include "zelt/messages.h"

#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace zelt {
namespace {

using Kind = MessageKind;
using Record = RecordingPresenter::Record;

TEST(OperatorMessages, RecorderKeepsEveryMessageWithItsCaption) {
    ScopedRecordingPresenter rec;
    MessageError("Falha ao gravar");
    MessageInfo("Cupom aberto", "PDV");
    MessageStatus("Aguardando o script terminar...");
    MessageStatus("");
    EXPECT_EQ(rec->Records(),
              (std::vector<Record>{{Kind::Error, "Falha ao gravar", "Erro"},
                                   {Kind::Information, "Cupom aberto", "PDV"},
                                   {Kind::Status, "Aguardando o script terminar...", ""},
                                   {Kind::Status, "", ""}}));
    EXPECT_EQ(rec->Texts(Kind::Status),
              (std::vector<std::string>{"Aguardando o script terminar...", ""}));
    rec->Clear();
    EXPECT_TRUE(rec->Records().empty());
}

TEST(OperatorMessages, DefaultCaptionsAreCodePageTexts) {
    ScopedRecordingPresenter rec;
    MessageInfo("x");
    (void)MessageQuestion("y");
    auto records = rec->Records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].caption, "Informa\xE7\xE3o");
    EXPECT_EQ(records[1].caption, "Confirma\xE7\xE3o");
}

TEST(OperatorMessages, QuestionsGetTheRecordersAnswer) {
    ScopedRecordingPresenter rec;
    EXPECT_TRUE(MessageQuestion("Confirma?"));
    rec->answer = false;
    EXPECT_FALSE(MessageQuestion("Confirma de novo?"));
    EXPECT_EQ(rec->Texts(Kind::Question),
              (std::vector<std::string>{"Confirma?", "Confirma de novo?"}));
}

TEST(OperatorMessages, ScopesNestAndRestore) {
    ScopedRecordingPresenter outer;
    {
        ScopedRecordingPresenter inner;
        MessageError("dentro");
        EXPECT_EQ(inner->Texts(Kind::Error), (std::vector<std::string>{"dentro"}));
    }
    MessageError("fora");
    EXPECT_EQ(outer->Texts(Kind::Error), (std::vector<std::string>{"fora"}));
}

TEST(OperatorMessages, InstallReturnsThePreviousAndNullRestoresStderr) {
    auto mine = std::make_shared<RecordingPresenter>();
    auto before = InstallPresenter(mine);
    ASSERT_NE(before, nullptr);
    EXPECT_EQ(InstallPresenter(nullptr), mine);
    auto restored = InstallPresenter(before);
    EXPECT_NE(dynamic_cast<StderrPresenter*>(restored.get()), nullptr);
    MessageError("fora do gravador");
    EXPECT_TRUE(mine->Records().empty());
}

TEST(OperatorMessages, StderrPresenterWritesCaptionAndTextInUtf8) {
    StderrPresenter presenter;
    testing::internal::CaptureStderr();
    bool answer = presenter.Present(Kind::Question, "Excluir o cup\xE3o?", "Confirma\xE7\xE3o");
    presenter.Present(Kind::Status, "", "");
    presenter.Present(Kind::Status, "lendo", "");
    std::string out = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(answer) << "nobody at a stream says yes";
    EXPECT_EQ(out, "Confirma\xC3\xA7\xC3\xA3o: Excluir o cup\xC3\xA3o?\nlendo\n");
}

TEST(OperatorMessages, PresenterCanBeSwappedWhileOtherThreadsShowMessages) {
    auto a = std::make_shared<RecordingPresenter>();
    auto previous = InstallPresenter(a);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 200; ++i)
                MessageStatus("s");
        });
    }
    auto b = std::make_shared<RecordingPresenter>();
    for (int i = 0; i < 50; ++i)
        InstallPresenter(i % 2 ? a : b);
    for (auto& t : threads)
        t.join();
    InstallPresenter(previous);
    EXPECT_EQ(a->Records().size() + b->Records().size(), 800u) << "no message lost";
}

// What a host in C sees: its function, its context, the kind and the two texts.
struct HostLog {
    std::vector<std::string> lines;
    bool answer = false;
};

bool HostPresenter(void* context, int32_t kind, const char* text, const char* caption) {
    auto* log = static_cast<HostLog*>(context);
    log->lines.push_back(std::to_string(kind) + "|" + caption + "|" + text);
    return log->answer;
}

class CExport : public testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("ZELT_BIN_DIR");
        ASSERT_NE(bin, nullptr) << "ZELT_BIN_DIR names the build's bin folder";
        handle_ = ::dlopen((std::string(bin) + "/ZeltRuntime.so").c_str(), RTLD_NOW);
        ASSERT_NE(handle_, nullptr) << ::dlerror();
    }
    void TearDown() override {
        if (handle_)
            ::dlclose(handle_);
    }
    template <class Fn> Fn Bind(const char* name) {
        return reinterpret_cast<Fn>(::dlsym(handle_, name));
    }
    void* handle_ = nullptr;
};

TEST_F(CExport, HostPresenterReceivesEveryKindAndAnswers) {
    using SetFn = void (*)(ZeltMessagePresenterFn, void*);
    auto set = Bind<SetFn>("zelt_set_message_presenter");
    ASSERT_NE(set, nullptr);
    HostLog log;
    set(&HostPresenter, &log);
    MessageError("sem papel", "ECF");
    MessageInfo("ok");
    log.answer = true;
    EXPECT_TRUE(MessageQuestion("Imprimir?"));
    log.answer = false;
    EXPECT_FALSE(MessageQuestion("De novo?"));
    MessageStatus("");
    set(nullptr, nullptr);
    MessageStatus("after the host left"); // goes to standard error, not to the log

    EXPECT_EQ(log.lines, (std::vector<std::string>{"0|ECF|sem papel", "1|Informa\xE7\xE3o|ok",
                                                   "2|Confirma\xE7\xE3o|Imprimir?",
                                                   "2|Confirma\xE7\xE3o|De novo?", "3||"}));
    EXPECT_EQ(ZELT_MESSAGE_ERROR, static_cast<int>(MessageKind::Error));
    EXPECT_EQ(ZELT_MESSAGE_STATUS, static_cast<int>(MessageKind::Status));
}

TEST_F(CExport, QualifiedNameIsTheSameOperation) {
    void* plain = ::dlsym(handle_, "zelt_set_message_presenter");
    void* qualified = ::dlsym(handle_, "OperatorMessages.zelt_set_message_presenter");
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(qualified, nullptr);
    HostLog log;
    reinterpret_cast<void (*)(ZeltMessagePresenterFn, void*)>(qualified)(&HostPresenter, &log);
    MessageError("via qualified name");
    reinterpret_cast<void (*)(ZeltMessagePresenterFn, void*)>(plain)(nullptr, nullptr);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"0|Erro|via qualified name"}));
}

} // namespace
} // namespace zelt
