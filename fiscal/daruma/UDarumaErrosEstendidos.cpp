#include "fiscal/daruma/UDarumaErrosEstendidos.h"

#include <string>

namespace zelt {

namespace {

// Stored as the printer maker words them, misspellings included: hosts show them as they are.
TStringList CriarErrosEstendidos() {
    return TStringList{
        "0=IF em modo Manutenção. Foi ligada sem o Jumper de Operação",
        "1=Método disponível somente em modo Manutenção",
        "2=Erro durante a gravação da Memória Fiscal",
        "3=Memória Fiscal esgotada",
        "4=Erro no relógio interno da IF",
        "5=Falha mecânica na IF",
        "6=Erro durante a leitura da Memória Fiscal",
        "7=Metodo permitido apenas em modo fiscal (IF sem jmper)",
        "8=Relatório Gerêncial não aberto",
        "10=Documento sendo emitido",
        "11=Documento não foi aberto",
        "12=Não existe documento a cancelar",
        "13=Dígito não numérico não esperado, foi encontrado nos Parâmetros do Método",
        "14=Não há mais memória disponível para esta operação/Não há nenhuma posição de méria "
        "disponível.",
        "15=Item a cancelar não foi encontrado",
        "16=Erro de sintaxe no método",
        "17=Estouro\" de capacidade numérica (overflow)",
        "18=Selecionado totalizador tributado com alíquota de imposto não definida",
        "19=Memória Fiscal vazia",
        "20=Não existem campos que requerem atualização",
        "21=Detectado proximidade do final da bobina de papel",
        "22=Cupom de Redução Z já foi emitido. IF inoperante até 0:00h do próximo dia",
        "23=Redução Z do período anterior ainda pendente. IF inoperante",
        "24=Valor de desconto ou acréscimo inválido (limitado a 100%)",
        "25=Caráctere inválido foi encontrado nos Parâmetros do Métodos",
        "26=Médoto não pode ser executado",
        "27=Impressora fora de Linha/Nenhum periférico conectado a interface auxiliar",
        "28=Foi encontrado um campo em zero",
        "29=Documento anterior não foi Cupom Fiscal. Não pode emitir Cupom Adicional",
        "30=Acumulador Não Fiscal selecionado não é válido ou não está disponível",
        "31=Não pode autenticar. Excedeu 4 repetições ou não é permitida nesta fase",
        "32=Cupom adicional inibido por configuração",
        "35=Relógio Interno Inoperante",
        "36=Versão do firmware gravada na Memória Fiscal não é a esperada",
        "37=Alíquota de imposto informada já está carregada na memória",
        "38=Forma de pagamento selecionada não é válida",
        "39=Erro na seqüência de fechamento do Cupom Fiscal",
        "40=IF em Jornada Fiscal. Alteração da configuração não é permitida",
        "41=Data inválida. Data fornecida é inferior à última gravada na Memória Fiscal",
        "42=Leitura X inicial ainda não foi emitida",
        "43=Não pode emitir Comprovante Vinculado",
        "44=Cupom de Orçamento não permitido para este estabelecimento(Mensagem do Aplicativo Não "
        "Programada)",
        "45=Campo obrigatório em branco",
        "48=Não pode estornar",
        "49=Forma de pagamento indicada não encontrada",
        "50=Fim da bobina de papel",
        "51=Nenhum usuário cadastrado na MF",
        "52=MF não instalada ou não inicializada",
        "56=Documento já aberto",
        "61=Queda de energia durante a emissão de Cupom Fiscal",
        "75=Operação com ISS não permitida (se a sua impressora for uma FS600 ou FS2100T, então "
        "será preciso ter uma inscrição municipal gravada em sua impressora para que seja "
        "possível programar/utilizar alíquota de serviço).",
        "76=Desconto em ISS não permitido neste ECF (a programação deverá ser feita por meio de "
        "intervenção técnica e caso o Estado permita)",
        "77=Acréscimo em IOF inibido",
        "80=Periférico na interface auxiliar não pode ser reconhecido",
        "81=Solicitado preenchimento de cheque de banco desconhecido",
        "82=Solicitado transmissão de mensagem nula pela interface auxiliar",
        "83=Extenso do cheque não cabe no espaço disponível",
        "84=Erro na comunicação com a interface auxiliar",
        "85=Erro no dígito verificador durante comunicação com a PertoCheck",
        "86=Falha na carga de geometria de folha de cheque",
        "87=Parâmetros do Método: invállido para o campo de data do cheque",
        "90=Sequência de validação de número de série inválida",
        "180=Mensagem do aplicativo não programada.",
        "181=Não é possivel realizar Redução Z entre 00:00am e 02:00am",
        "999=Erro de time out conectando a impressora",
    };
}

} // namespace

const TStringList DarumaErrosEstendidosSL = CriarErrosEstendidos();

} // namespace zelt

namespace {
const std::string errosEstendidosTexto = zelt::DarumaErrosEstendidosSL.Text();
}

// For hosts in C: the same lines joined with CR LF.
extern "C" {
ZELT_EXPORT const char* DarumaErrosEstendidosSL = errosEstendidosTexto.c_str();
}
