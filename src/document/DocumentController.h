#pragma once
// The open pages: one document per package file, untitled pages made from a
// copied template, and the window controllers a factory (set by the window
// code) makes for each document.
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class SKTDocument;

class DocumentController {
public:
    using WindowControllerFactory = std::function<void(SKTDocument &document)>;

    static DocumentController &shared();

    // Called once per new document (makeWindowControllers).
    void setWindowControllerFactory(WindowControllerFactory factory);
    // The open document of a package (same file), or null.
    SKTDocument *documentForPackage(const QString &packagePath) const;
    // Opens a package, or answers its open document. Null when it could not
    // be read (the reading showed why).
    SKTDocument *openDocument(const QString &packagePath);
    // An untitled page made from a copy of the template package: saving it
    // asks for a file, and the template itself is never written.
    SKTDocument *openUntitledDocument(const QString &templatePackage);
    void closeDocument(SKTDocument *document);
    QList<SKTDocument *> documents() const;

private:
    SKTDocument *adopt(std::unique_ptr<SKTDocument> document);

    std::vector<std::unique_ptr<SKTDocument>> documents_;
    WindowControllerFactory factory_;
    int untitledCount_ = 0;
};
