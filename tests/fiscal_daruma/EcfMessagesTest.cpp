#include "fiscal/messages/UMensEcfPlug.h"
#include "fiscal/messages/UMensImprStatusF.h"
#include "platform/rtl/OperatorMessages.h"

#include <gtest/gtest.h>

namespace zelt {
namespace {

using Record = RecordingPresenter::Record;

TEST(MensEcfPlug, ShowsTheTextAsAFiscalPrinterError) {
    ScopedRecordingPresenter rec;
    MensEcfPlug("Ocorreu um erro na impressora ao cancelar o item");
    EXPECT_EQ(rec->Records(),
              (std::vector<Record>{{MessageKind::Error,
                                    "Ocorreu um erro na impressora ao cancelar o item",
                                    "Impressora fiscal"}}));
}

TEST(MensImprStatusF, ShowsTheWindowAsAStatusAndClosesItOnce) {
    ScopedRecordingPresenter rec;
    UMensImprStatusF::Exibir("");
    EXPECT_TRUE(UMensImprStatusF::Exibindo());
    UMensImprStatusF::Exibir("Emitindo a redução Z");
    UMensImprStatusF::Fechar();
    UMensImprStatusF::Fechar();
    EXPECT_FALSE(UMensImprStatusF::Exibindo());
    EXPECT_EQ(rec->Texts(MessageKind::Status),
              (std::vector<std::string>{UMensImprStatusF::ImprStatusTextoPadrao,
                                        "Emitindo a redução Z", ""}));
}

} // namespace
} // namespace zelt
