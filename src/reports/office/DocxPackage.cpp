#include "reports/office/DocxPackage.h"

#include "reports/office/ChunkedFileWriter.h"
#include "reports/office/DocxParts.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <vector>
#include <zip.h>

namespace kvam::docx {

namespace {

const char contentTypes[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>
<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>
<Override PartName="/word/settings.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml"/>
<Override PartName="/word/footer1.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml"/>
<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>
<Override PartName="/docProps/app.xml" ContentType="application/vnd.openxmlformats-officedocument.extended-properties+xml"/>
</Types>
)";

const char packageRelationships[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties" Target="docProps/app.xml"/>
</Relationships>
)";

const char documentRelationships[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rIdStyles" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
<Relationship Id="rIdSettings" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings" Target="settings.xml"/>
<Relationship Id="rIdFooter1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer" Target="footer1.xml"/>
</Relationships>
)";

const char applicationProperties[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"><Application>kvam</Application></Properties>
)";

// Chinese text by default: 宋体 for East Asian text, 10.5 pt (the size 五号),
// East Asian language zh-CN.
const char styles[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">
<w:docDefaults>
<w:rPrDefault><w:rPr><w:rFonts w:ascii="Times New Roman" w:eastAsia="宋体" w:hAnsi="Times New Roman" w:cs="Times New Roman"/><w:kern w:val="2"/><w:sz w:val="21"/><w:szCs w:val="21"/><w:lang w:val="en-US" w:eastAsia="zh-CN" w:bidi="ar-SA"/></w:rPr></w:rPrDefault>
<w:pPrDefault/>
</w:docDefaults>
<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/><w:pPr><w:widowControl w:val="0"/></w:pPr></w:style>
<w:style w:type="character" w:default="1" w:styleId="DefaultParagraphFont"><w:name w:val="Default Paragraph Font"/><w:uiPriority w:val="1"/><w:semiHidden/><w:unhideWhenUsed/></w:style>
<w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/><w:uiPriority w:val="99"/><w:semiHidden/><w:unhideWhenUsed/><w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar><w:top w:w="0" w:type="dxa"/><w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style>
</w:styles>
)";

class ZipArchive {
public:
    explicit ZipArchive(const QString &file)
    {
        int code = 0;
        m_zip = zip_open(QFile::encodeName(file).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
        if (!m_zip) {
            zip_error_t error;
            zip_error_init_with_code(&error, code);
            m_error = QString::fromUtf8(zip_error_strerror(&error));
            zip_error_fini(&error);
        }
    }
    ~ZipArchive()
    {
        if (m_zip)
            zip_discard(m_zip);
    }

    bool isOpen() const { return m_zip; }
    QString errorString() const { return m_error; }

    // bytes must stay alive until close(); zip_close reads every entry then.
    bool add(const char *name, const QByteArray &bytes)
    {
        return m_zip && add(name, zip_source_buffer(m_zip, bytes.constData(), zip_uint64_t(bytes.size()), 0));
    }
    bool addFile(const char *name, const QString &file)
    {
        return m_zip && add(name, zip_source_file(m_zip, QFile::encodeName(file).constData(), 0, -1));
    }
    bool close()
    {
        if (!m_zip)
            return false;
        if (zip_close(m_zip) != 0)
            return libraryFailure();
        m_zip = nullptr;
        return true;
    }

private:
    bool add(const char *name, zip_source_t *source)
    {
        if (!source)
            return libraryFailure();
        const zip_int64_t index = zip_file_add(m_zip, name, source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return libraryFailure();
        }
        // The fastest deflate: markup this repetitive packs well at any level.
        return zip_set_file_compression(m_zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) == 0 || libraryFailure();
    }
    bool libraryFailure()
    {
        m_error = QString::fromUtf8(zip_strerror(m_zip));
        return false;
    }

    zip_t *m_zip = nullptr;
    QString m_error;
};

} // namespace

bool writeDocxPackage(const Model &model, const QString &file, QString *error)
{
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };

    // The main text can be large: it goes to a file beside the package, not
    // into memory.
    QTemporaryFile body(QFileInfo(file).absolutePath() + QStringLiteral("/document-XXXXXX.xml"));
    if (!body.open())
        return fail(QStringLiteral("cannot write %1: %2").arg(body.fileName(), body.errorString()));
    ChunkedFileWriter chunks(&body);
    if (!writeDocumentPart(model, &chunks) || !chunks.finish() || !body.flush())
        return fail(QStringLiteral("cannot write %1: %2").arg(body.fileName(), body.errorString()));

    const std::vector<std::pair<const char *, QByteArray>> parts = {
        {"[Content_Types].xml", QByteArray(contentTypes)},
        {"_rels/.rels", QByteArray(packageRelationships)},
        {"docProps/core.xml", corePropertiesPart()},
        {"docProps/app.xml", QByteArray(applicationProperties)},
        {"word/_rels/document.xml.rels", QByteArray(documentRelationships)},
        {"word/styles.xml", QByteArray(styles)},
        {"word/settings.xml", settingsPart(model)},
        {"word/footer1.xml", footerPart(model)},
    };
    ZipArchive zip(file);
    bool ok = zip.isOpen();
    for (const auto &[name, bytes] : parts)
        ok = ok && zip.add(name, bytes);
    ok = ok && zip.addFile("word/document.xml", body.fileName());
    if (!ok || !zip.close())
        return fail(QStringLiteral("cannot write %1: %2").arg(file, zip.errorString()));
    return true;
}

} // namespace kvam::docx
