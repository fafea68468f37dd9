#pragma once

#include "script/ShopRecord.h"

#include <QStringList>
#include <QTextStream>

#include <optional>

namespace vw::cli {

// What the dump shows besides the records: where they came from.
struct DumpHeader {
    QString script;
    std::optional<QString> catalogue;
    qint64 lineCount = 0;
    qsizetype recordCount = 0;
};

// Writes a dump record by record, so a large script is never held twice in memory.
class DumpWriter {
public:
    virtual ~DumpWriter() = default;
    virtual void begin(const DumpHeader& header) = 0;
    // `chineseName` is empty when there is no catalogue or no name for the class.
    virtual void record(const ShopRecord& record, const std::optional<QString>& chineseName) = 0;
    virtual void end() = 0;
};

// For people: one block per record, item lines shown as the script holds them.
class TextDumpWriter : public DumpWriter {
public:
    explicit TextDumpWriter(QTextStream& out) : out_(out) {}
    void begin(const DumpHeader& header) override;
    void record(const ShopRecord& record, const std::optional<QString>& chineseName) override;
    void end() override {}

private:
    QTextStream& out_;
    bool withCatalogue_ = false;
};

// For programs: the JSON document described in docs/cli.md, one record per line.
class JsonDumpWriter : public DumpWriter {
public:
    explicit JsonDumpWriter(QTextStream& out) : out_(out) {}
    void begin(const DumpHeader& header) override;
    void record(const ShopRecord& record, const std::optional<QString>& chineseName) override;
    void end() override;

private:
    QTextStream& out_;
    bool first_ = true;
};

// `vendwright-cli dump SCRIPT [--catalogue FILE] [--json]`; returns the exit code.
int runDump(const QStringList& args, QTextStream& out);

extern const char16_t* const DumpUsage;

} // namespace vw::cli
