#include "support/OfficeReading.h"

#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

namespace kvam::test {

namespace {

const QString python = QStringLiteral("/usr/bin/python3");

QByteArray run(const QString &program, const QStringList &arguments, int *exitCode = nullptr,
               QByteArray *errors = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (errors)
        *errors = process.readAllStandardError();
    return process.readAllStandardOutput();
}

void readChildren(QXmlStreamReader &reader, XmlElement &element)
{
    while (reader.readNext() != QXmlStreamReader::Invalid) {
        if (reader.isEndElement() || reader.atEnd())
            return;
        if (reader.isCharacters()) {
            element.text += reader.text();
        } else if (reader.isStartElement()) {
            XmlElement &child = element.children.emplace_back();
            child.name = reader.qualifiedName().toString();
            for (const QXmlStreamAttribute &a : reader.attributes())
                child.attributes.insert(a.qualifiedName().toString(), a.value().toString());
            readChildren(reader, child);
        }
    }
}

void collect(const XmlElement &element, const QString &name, QList<XmlElement> &found)
{
    for (const XmlElement &c : element.children) {
        if (c.name == name)
            found << c;
        collect(c, name, found);
    }
}

} // namespace

XmlElement XmlElement::child(const QString &childName) const
{
    for (const XmlElement &c : children) {
        if (c.name == childName)
            return c;
    }
    return {};
}

QList<XmlElement> XmlElement::childrenNamed(const QString &childName) const
{
    QList<XmlElement> found;
    for (const XmlElement &c : children) {
        if (c.name == childName)
            found << c;
    }
    return found;
}

QList<XmlElement> XmlElement::all(const QString &descendantName) const
{
    QList<XmlElement> found;
    collect(*this, descendantName, found);
    return found;
}

QString XmlElement::allText() const
{
    QString result = text;
    for (const XmlElement &c : children)
        result += c.allText();
    return result;
}

XmlElement parseXml(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    XmlElement document;
    readChildren(reader, document);
    if (reader.hasError() || document.children.isEmpty())
        return {};
    return document.children.front();
}

QByteArray zipEntry(const QString &archive, const QString &entry)
{
    return run(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, entry});
}

QStringList zipEntries(const QString &archive)
{
    // -Z1: one name a line.
    return QString::fromUtf8(run(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive}))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool hasPythonModule(const QString &module)
{
    int code = -1;
    run(python, {QStringLiteral("-c"), QStringLiteral("import ") + module}, &code);
    return code == 0;
}

QJsonDocument runPythonJson(const QString &script, const QStringList &arguments)
{
    int code = -1;
    QByteArray errors;
    const QByteArray out = run(python, QStringList{QStringLiteral("-c"), script} + arguments, &code, &errors);
    if (code != 0) {
        QTest::qFail(qPrintable(QStringLiteral("python3 failed: ") + QString::fromUtf8(errors)), __FILE__, __LINE__);
        return {};
    }
    QJsonParseError error;
    QJsonDocument json = QJsonDocument::fromJson(out, &error);
    if (error.error != QJsonParseError::NoError)
        QTest::qFail(qPrintable(QStringLiteral("python3 printed no JSON: ") + QString::fromUtf8(out)), __FILE__,
                     __LINE__);
    return json;
}

} // namespace kvam::test
