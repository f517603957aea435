#include "interface/InstanceUnique.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace veltrane {

namespace {

// Assez pour une instance occupée à charger un gros fichier : elle ne lit sa file qu'entre
// deux étapes.
constexpr int AttenteMs = 5000;
constexpr char AccuseReception = '\x06';

} // namespace

InstanceUnique::InstanceUnique(QString nom, QObject* parent)
    : QObject(parent), nom_(std::move(nom)) {}

InstanceUnique::~InstanceUnique() = default;

QString InstanceUnique::nomPour(const QString& repertoireConfiguration) {
    const QByteArray empreinte =
        QCryptographicHash::hash(repertoireConfiguration.toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    return QStringLiteral(u"veltrane-%1-%2").arg(::getuid()).arg(QString::fromLatin1(empreinte));
}

bool InstanceUnique::transmet(const QString& ligneCommande) const {
    QLocalSocket prise;
    prise.connectToServer(nom_);
    if (!prise.waitForConnected(AttenteMs)) return false;
    QByteArray message;
    QDataStream flux(&message, QIODevice::WriteOnly);
    flux << ligneCommande;
    prise.write(message);
    if (!prise.waitForBytesWritten(AttenteMs)) return false;
    // Sans accusé, l'autre instance n'a peut-être rien reçu : celle-ci s'ouvrira elle-même.
    while (prise.bytesAvailable() == 0)
        if (!prise.waitForReadyRead(AttenteMs)) return false;
    char accuse = 0;
    return prise.getChar(&accuse) && accuse == AccuseReception;
}

bool InstanceUnique::ecoute() {
    serveur_ = new QLocalServer(this);
    serveur_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!serveur_->listen(nom_)) {
        // Une instance lancée au même moment a pris la place : elle la garde.
        QLocalSocket essai;
        essai.connectToServer(nom_);
        if (essai.waitForConnected(200)) return false;
        // Rendez-vous laissé par une instance tuée : personne n'y répond, on le reprend.
        QLocalServer::removeServer(nom_);
        if (!serveur_->listen(nom_)) return false;
    }
    connect(serveur_, &QLocalServer::newConnection, this, &InstanceUnique::accepte);
    return true;
}

void InstanceUnique::accepte() {
    while (QLocalSocket* prise = serveur_->nextPendingConnection()) {
        connect(prise, &QLocalSocket::disconnected, prise, &QObject::deleteLater);
        connect(prise, &QLocalSocket::readyRead, this, [this, prise] {
            QDataStream flux(prise);
            flux.startTransaction();
            QString ligne;
            flux >> ligne;
            if (!flux.commitTransaction()) return; // message encore incomplet
            prise->putChar(AccuseReception);
            prise->flush();
            emit ligneRecue(ligne);
        });
    }
}

QString ligneATransmettre(const QStringList& arguments) {
    QString ligne = arguments.mid(1).join(u' ');
    if (ligne.startsWith(u'"')) ligne.remove(0, 1);
    if (ligne.endsWith(u'"')) ligne.chop(1);
    if (ligne.isEmpty() || QDir::isAbsolutePath(ligne)) return ligne;
    return QFileInfo(QDir::current(), ligne).absoluteFilePath();
}

} // namespace veltrane
