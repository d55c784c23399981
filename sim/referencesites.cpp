#include "referencesites.h"

#include "companies.h"

#include <QStringList>

namespace {

struct Term
{
    const char *slug;
    const char *name;
    const char *text;
};

const Term Terms[] = {
    {"price-earnings-ratio", "Price-to-Earnings Ratio",
     "The share price divided by the earnings per share: what the market pays for one dollar of "
     "a company's profit."},
    {"dividend-yield", "Dividend Yield",
     "The yearly dividend per share divided by the share price, as a percentage."},
    {"moving-average", "Moving Average",
     "The average closing price over a number of days, moved forward one day at a time; it "
     "smooths the price line and shows its trend."},
    {"market-capitalization", "Market Capitalization",
     "The number of shares outstanding times the share price: what the market values the whole "
     "company at."},
};

const char *const Topics[][2] = {
    {"charts-show-no-volume", "Charts show no volume for an index"},
    {"importing-a-portfolio", "Importing a portfolio from a spreadsheet"},
    {"alerts-by-e-mail", "Getting alerts by e-mail"},
};

QByteArray page(const QString &title, const QString &accent, const QString &body)
{
    return QStringLiteral(
               "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title><style>"
               "body{font-family:sans-serif;margin:0;background:#f6f8fb;color:#1d2733}"
               "header{background:%2;color:#fff;padding:18px 28px;font-size:22px}"
               "main{padding:18px 28px;max-width:760px}a{color:%2}"
               "li{margin:6px 0}.note{color:#5b6b7c;font-size:13px}"
               "</style></head><body><header>%1</header><main>%3</main></body></html>")
        .arg(title, accent, body)
        .toUtf8();
}

QByteArray encyclopediaHome()
{
    QString list;
    for (const Term &term : Terms)
        list += QStringLiteral("<li><a href=\"/terms/%1/\">%2</a></li>")
                    .arg(QLatin1String(term.slug), QLatin1String(term.name));
    return page(QStringLiteral("Investopedia"), QStringLiteral("#1b5e9b"),
                QStringLiteral("<h2>The investing dictionary</h2><p>Plain explanations of the "
                               "words investors meet every day.</p><ul>%1</ul>"
                               "<p class=\"note\">Simulated site for Corvane.</p>")
                    .arg(list));
}

QByteArray termPage(const QString &slug)
{
    for (const Term &term : Terms) {
        if (slug == QLatin1String(term.slug))
            return page(QLatin1String(term.name), QStringLiteral("#1b5e9b"),
                        QStringLiteral("<p>%1</p><p><a href=\"/\">All terms</a></p>")
                            .arg(QLatin1String(term.text)));
    }
    return {};
}

QByteArray companyIndex()
{
    QString list;
    for (const Company &company : followedCompanies())
        list += QStringLiteral("<li><a href=\"/company/%1\">%1</a> %2</li>")
                    .arg(company.symbol.toHtmlEscaped(), company.name.toHtmlEscaped());
    return page(QStringLiteral("WikiWealth: Companies"), QStringLiteral("#2e7d4f"),
                QStringLiteral("<h2>Company research</h2><p>Analysis written by investors, for "
                               "investors.</p><ul>%1</ul>")
                    .arg(list));
}

QByteArray companyPage(const QString &symbol)
{
    const Company *company = findCompany(symbol);
    if (!company)
        return {};
    return page(QStringLiteral("WikiWealth: %1").arg(company->name.toHtmlEscaped()),
                QStringLiteral("#2e7d4f"),
                QStringLiteral("<h2>%1 (%2)</h2><p>Listed on %3. Strengths, weaknesses, "
                               "opportunities and threats, as the community sees them.</p>"
                               "<p><a href=\"/company/\">All companies</a></p>")
                    .arg(company->name.toHtmlEscaped(), company->symbol.toHtmlEscaped(),
                         company->exchangeDisplay.toHtmlEscaped()));
}

QByteArray forum()
{
    QString list;
    for (const auto &topic : Topics)
        list += QStringLiteral("<li><a href=\"/vanilla/discussion/%1\">%2</a></li>")
                    .arg(QLatin1String(topic[0]), QLatin1String(topic[1]));
    return page(QStringLiteral("Corvane Community Forum"), QStringLiteral("#6a3d9a"),
                QStringLiteral("<h2>Questions and answers</h2><ul>%1</ul>"
                               "<p class=\"note\">Simulated forum for Corvane.</p>")
                    .arg(list));
}

QByteArray discussion(const QString &slug)
{
    for (const auto &topic : Topics) {
        if (slug == QLatin1String(topic[0]))
            return page(QLatin1String(topic[1]), QStringLiteral("#6a3d9a"),
                        QStringLiteral("<p>Answered by the Corvane team.</p>"
                                       "<p><a href=\"/vanilla/\">Back to the forum</a></p>"));
    }
    return {};
}

QString lastSegment(const QString &path, const QString &prefix)
{
    QString rest = path.mid(prefix.size());
    while (rest.endsWith(QLatin1Char('/')))
        rest.chop(1);
    return rest;
}

} // namespace

bool ReferenceSiteService::handles(const SimRequest &request) const
{
    const QString &path = request.path;
    const bool home = (path.isEmpty() || path == QLatin1String("/")) && request.query.isEmpty();
    return home || path.startsWith(QLatin1String("/terms/")) ||
           path.startsWith(QLatin1String("/company/")) ||
           path.startsWith(QLatin1String("/vanilla/"));
}

QHttpServerResponse ReferenceSiteService::respond(const SimRequest &request)
{
    const QString &path = request.path;
    QByteArray body;
    if (path.isEmpty() || path == QLatin1String("/"))
        body = encyclopediaHome();
    else if (path.startsWith(QLatin1String("/terms/")))
        body = termPage(lastSegment(path, QStringLiteral("/terms/")));
    else if (path == QLatin1String("/company/"))
        body = companyIndex();
    else if (path.startsWith(QLatin1String("/company/")))
        body = companyPage(lastSegment(path, QStringLiteral("/company/")));
    else if (path == QLatin1String("/vanilla/"))
        body = forum();
    else if (path.startsWith(QLatin1String("/vanilla/discussion/")))
        body = discussion(lastSegment(path, QStringLiteral("/vanilla/discussion/")));
    if (body.isEmpty())
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    return textResponse("text/html; charset=utf-8", body);
}
