#include "outside/dataline/USQLConnection.h"

#include "outside/dataline/FirebirdApi.h"
#include "platform/rtl/Environment.h"
#include "platform/rtl/Errors.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Text.h"

#include <cstring>
#include <vector>

namespace zelt {

using namespace Firebird;

// ---- connection-data text -----------------------------------------------------------------

TDadosConexao TDadosConexao::DoTexto(std::string_view texto) {
    std::string t = Trim(texto);
    TDadosConexao dados;
    std::size_t colon = t.find(':');
    bool drive = colon == 1 && t.size() > 2 && (t[2] == '\\' || t[2] == '/');
    if (colon == std::string::npos || colon == 0 || drive) {
        dados.arquivo = t;
        return dados;
    }
    std::string host = t.substr(0, colon);
    dados.arquivo = t.substr(colon + 1);
    std::size_t slash = host.find('/');
    if (slash != std::string::npos) {
        dados.porta = host.substr(slash + 1);
        host.resize(slash);
    }
    dados.servidor = host;
    return dados;
}

TDadosConexao TDadosConexao::DeServidorEArquivo(std::string_view servidor,
                                                std::string_view arquivo) {
    TDadosConexao dados = DoTexto(Trim(servidor) + ":" + Trim(arquivo));
    if (Trim(servidor).empty()) {
        dados = TDadosConexao{};
        dados.arquivo = Trim(arquivo);
    }
    return dados;
}

std::string TDadosConexao::ParaTexto() const {
    if (servidor.empty()) {
        return arquivo;
    }
    return servidor + (porta.empty() ? "" : "/" + porta) + ":" + arquivo;
}

TLoginSQL TLoginSQL::DoAmbiente() {
    TLoginSQL login;
    login.usuario = GetEnvVar("ISC_USER");
    if (login.usuario.empty()) {
        login.usuario = "SYSDBA";
    }
    login.senha = GetEnvVar("ISC_PASSWORD");
    return login;
}

// ---- reading rows -------------------------------------------------------------------------

namespace {

// Days between Firebird's date origin (1858-11-17) and the system's (1899-12-30).
constexpr double DateOriginShift = 15018.0;
constexpr double TimeUnitsPerDay = 86400.0 * ISC_TIME_SECONDS_PRECISION;

template <typename T> T Load(const unsigned char* p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

struct Column {
    TFieldDef def;
    unsigned sqlType = 0;
    int subType = 0;
    unsigned length = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

TFieldType TypeOf(unsigned sqlType, int scale, int subType) {
    switch (sqlType) {
    case SQL_TEXT:
    case SQL_VARYING:
        return TFieldType::String;
    case SQL_SHORT:
        return scale < 0 ? TFieldType::BCD : TFieldType::Smallint;
    case SQL_LONG:
        return scale < 0 ? TFieldType::BCD : TFieldType::Integer;
    case SQL_INT64:
        return scale < 0 ? TFieldType::BCD : TFieldType::Largeint;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return TFieldType::Float;
    case SQL_TYPE_DATE:
        return TFieldType::Date;
    case SQL_TYPE_TIME:
        return TFieldType::Time;
    case SQL_TIMESTAMP:
        return TFieldType::DateTime;
    case SQL_BOOLEAN:
        return TFieldType::Boolean;
    case SQL_BLOB:
        return subType == 1 ? TFieldType::Memo : TFieldType::Blob;
    default:
        return TFieldType::Unknown;
    }
}

std::vector<Column> ReadColumns(fb::Status& st, IMessageMetadata* meta) {
    std::vector<Column> columns(meta->getCount(st.Get()));
    for (unsigned i = 0; i < columns.size(); ++i) {
        Column& c = columns[i];
        c.sqlType = meta->getType(st.Get(), i) & ~1u;
        c.subType = meta->getSubType(st.Get(), i);
        c.length = meta->getLength(st.Get(), i);
        c.offset = meta->getOffset(st.Get(), i);
        c.nullOffset = meta->getNullOffset(st.Get(), i);
        const char* alias = meta->getAlias(st.Get(), i);
        c.def.name = alias != nullptr && *alias != '\0' ? alias : meta->getField(st.Get(), i);
        c.def.scale = meta->getScale(st.Get(), i);
        c.def.type = TypeOf(c.sqlType, c.def.scale, c.subType);
        c.def.size = c.def.type == TFieldType::String ? static_cast<int>(c.length) : 0;
    }
    return columns;
}

std::string ReadBlob(fb::Status& st, IAttachment* att, ITransaction* tra, ISC_QUAD id) {
    fb::Blob blob(att->openBlob(st.Get(), tra, &id, 0, nullptr));
    std::string bytes;
    std::vector<char> segment(32768);
    for (;;) {
        unsigned got = 0;
        int result =
            blob->getSegment(st.Get(), static_cast<unsigned>(segment.size()), segment.data(), &got);
        if (result != IStatus::RESULT_OK && result != IStatus::RESULT_SEGMENT) {
            break;
        }
        bytes.append(segment.data(), got);
    }
    blob->close(st.Get());
    (void)blob.release();
    return bytes;
}

TFieldValue ReadValue(fb::Status& st, const Column& c, const unsigned char* buffer,
                      IAttachment* att, ITransaction* tra) {
    if (Load<short>(buffer + c.nullOffset) != 0) {
        return {};
    }
    const unsigned char* p = buffer + c.offset;
    switch (c.sqlType) {
    case SQL_TEXT:
        return std::string(reinterpret_cast<const char*>(p), c.length);
    case SQL_VARYING:
        return std::string(reinterpret_cast<const char*>(p) + 2, Load<unsigned short>(p));
    case SQL_SHORT:
        return static_cast<std::int64_t>(Load<short>(p));
    case SQL_LONG:
        return static_cast<std::int64_t>(Load<ISC_LONG>(p));
    case SQL_INT64:
        return static_cast<std::int64_t>(Load<ISC_INT64>(p));
    case SQL_BOOLEAN:
        return static_cast<std::int64_t>(Load<FB_BOOLEAN>(p) != 0);
    case SQL_FLOAT:
        return static_cast<double>(Load<float>(p));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return Load<double>(p);
    case SQL_TYPE_DATE:
        return Load<ISC_DATE>(p) - DateOriginShift;
    case SQL_TYPE_TIME:
        return Load<ISC_TIME>(p) / TimeUnitsPerDay;
    case SQL_TIMESTAMP: {
        auto ts = Load<ISC_TIMESTAMP>(p);
        return ts.timestamp_date - DateOriginShift + ts.timestamp_time / TimeUnitsPerDay;
    }
    case SQL_BLOB:
        return ReadBlob(st, att, tra, Load<ISC_QUAD>(p));
    default:
        throw EDatabaseError("Unsupported column type " + IntToStr(c.sqlType) + " in '" +
                             c.def.name + "'");
    }
}

// Statements of the system often end in ";" (as they would in a script); a single statement
// sent to the server must not.
std::string StatementText(const std::string& sql) {
    std::string text = TrimRight(sql);
    while (!text.empty() && text.back() == ';') {
        text.pop_back();
        text = TrimRight(text);
    }
    return text;
}

} // namespace

// ---- the connection -----------------------------------------------------------------------

struct TSQLConnection::Impl {
    fb::Attachment attachment;
    fb::Transaction explicitTransaction;

    // The explicit transaction, or a new one kept in `own` for this statement alone.
    ITransaction* TransactionFor(fb::Transaction& own) {
        if (explicitTransaction) {
            return explicitTransaction.get();
        }
        own = fb::StartTransaction(attachment.get());
        return own.get();
    }
};

TSQLConnection::TSQLConnection() : login_(TLoginSQL::DoAmbiente()), impl_(new Impl) {}

TSQLConnection::TSQLConnection(std::string database) : TSQLConnection() {
    database_ = std::move(database);
}

TSQLConnection::~TSQLConnection() {
    Close();
}

void TSQLConnection::SetDatabase(std::string database) {
    database_ = std::move(database);
}
void TSQLConnection::SetLogin(TLoginSQL login) {
    login_ = std::move(login);
}

bool TSQLConnection::Open() {
    if (Connected()) {
        return true;
    }
    try {
        TDadosConexao dados = TDadosConexao::DoTexto(database_);
        std::string target = ToDiskPath(dados.ParaTexto());
        if (Trim(target).empty()) {
            throw EDatabaseError("No database given to connect to");
        }
        impl_->attachment =
            fb::Attach(target, fb::Login{login_.usuario, login_.senha}, !dados.Remoto());
        lastError_.clear();
        return true;
    } catch (const EDatabaseError& e) {
        lastError_ = e.Message();
        return false;
    }
}

void TSQLConnection::Close() noexcept {
    impl_->explicitTransaction.reset();
    impl_->attachment.reset();
}

bool TSQLConnection::Connected() const {
    return static_cast<bool>(impl_->attachment);
}

void TSQLConnection::EnsureOpen() {
    if (!Open()) {
        throw EDatabaseError(lastError_);
    }
}

void TSQLConnection::Execute(const std::string& sql) {
    EnsureOpen();
    std::string text = StatementText(sql);
    fb::Guard([&] {
        fb::Status st;
        fb::Transaction own;
        ITransaction* tra = impl_->TransactionFor(own);
        impl_->attachment->execute(st.Get(), tra, 0, text.c_str(), SQL_DIALECT_V6, nullptr, nullptr,
                                   nullptr, nullptr);
        if (own) {
            fb::Commit(own);
        }
    });
}

std::unique_ptr<TSQLDataSet> TSQLConnection::Query(const std::string& sql) {
    EnsureOpen();
    std::string text = StatementText(sql);
    return fb::Guard([&] {
        fb::Status st;
        fb::Transaction own;
        IAttachment* att = impl_->attachment.get();
        ITransaction* tra = impl_->TransactionFor(own);
        fb::Statement statement(att->prepare(st.Get(), tra, 0, text.c_str(), SQL_DIALECT_V6,
                                             IStatement::PREPARE_PREFETCH_METADATA));
        fb::Metadata meta(statement->getOutputMetadata(st.Get()));
        std::vector<Column> columns = ReadColumns(st, meta.get());
        std::vector<TFieldRow> rows;
        std::vector<std::int64_t> message(meta->getMessageLength(st.Get()) / 8 + 1);
        auto* buffer = reinterpret_cast<unsigned char*>(message.data());
        unsigned type = statement->getType(st.Get());
        bool cursorStatement =
            type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
        if (columns.empty()) {
            statement->execute(st.Get(), tra, nullptr, nullptr, nullptr, nullptr);
        } else if (!cursorStatement) {
            // EXECUTE PROCEDURE and the like give their single row of outputs at once.
            statement->execute(st.Get(), tra, nullptr, nullptr, meta.get(), buffer);
            TFieldRow row;
            for (const Column& c : columns) {
                row.push_back(ReadValue(st, c, buffer, att, tra));
            }
            rows.push_back(std::move(row));
        } else {
            fb::ResultSet cursor(
                statement->openCursor(st.Get(), tra, nullptr, nullptr, meta.get(), 0));
            while (cursor->fetchNext(st.Get(), buffer) == IStatus::RESULT_OK) {
                TFieldRow row;
                row.reserve(columns.size());
                for (const Column& c : columns) {
                    row.push_back(ReadValue(st, c, buffer, att, tra));
                }
                rows.push_back(std::move(row));
            }
            cursor->close(st.Get());
            (void)cursor.release();
        }
        statement->free(st.Get());
        (void)statement.release();
        if (own) {
            fb::Commit(own);
        }
        std::vector<TFieldDef> defs;
        defs.reserve(columns.size());
        for (Column& c : columns) {
            defs.push_back(std::move(c.def));
        }
        return std::make_unique<TSQLDataSet>(std::move(defs), std::move(rows));
    });
}

void TSQLConnection::StartTransaction() {
    EnsureOpen();
    if (impl_->explicitTransaction) {
        throw EDatabaseError("A transaction is already active");
    }
    impl_->explicitTransaction = fb::StartTransaction(impl_->attachment.get());
}

void TSQLConnection::Commit() {
    if (!impl_->explicitTransaction) {
        throw EDatabaseError("No transaction is active");
    }
    fb::Commit(impl_->explicitTransaction);
}

void TSQLConnection::Rollback() {
    if (!impl_->explicitTransaction) {
        throw EDatabaseError("No transaction is active");
    }
    fb::Rollback(impl_->explicitTransaction);
}

bool TSQLConnection::InTransaction() const {
    return static_cast<bool>(impl_->explicitTransaction);
}

} // namespace zelt
