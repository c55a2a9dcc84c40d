#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonDocument>
#include <QList>
#include <QString>
#include <QStringList>

// Reading written office files back in tests, with tools that are not ours:
// unzip for the package, the Python readers for the documents.
namespace kvam::test {

// An XML element with qualified names as written ("w:p"), for reading parts
// back without a schema.
struct XmlElement {
    QString name;
    QHash<QString, QString> attributes;
    QString text; // the element's own character data
    QList<XmlElement> children;

    QString attribute(const QString &qualifiedName) const { return attributes.value(qualifiedName); }
    // The first child of that name, or an empty element.
    XmlElement child(const QString &childName) const;
    QList<XmlElement> childrenNamed(const QString &childName) const;
    // Every element of that name below this one, in document order.
    QList<XmlElement> all(const QString &descendantName) const;
    // The character data of this element and everything below it.
    QString allText() const;
};

// The root element of xml; an empty element when it does not parse.
XmlElement parseXml(const QByteArray &xml);

// The entry's bytes (empty when missing), through `unzip -p`.
QByteArray zipEntry(const QString &archive, const QString &entry);
// The entry names, in archive order.
QStringList zipEntries(const QString &archive);

// True when /usr/bin/python3 can import the module.
bool hasPythonModule(const QString &module);
// Runs script with /usr/bin/python3 and parses what it prints as JSON; a
// failing script fails the running test and gives an empty document.
QJsonDocument runPythonJson(const QString &script, const QStringList &arguments);

} // namespace kvam::test
