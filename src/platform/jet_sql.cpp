// Translation of the program's SQL texts into SQL that SQLite answers the
// same way.
#include <QList>

#include "platform/jet.h"

namespace qw {
namespace {

enum class Tok { Space, Text, Name, Word, Number, Op, Open, Close, Other };

struct Token {
  Tok kind;
  QString text;
};

bool IsWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Splits SQL into tokens. Texts in quotes keep their quotes (a doubled quote
// stays inside the text); [bracketed] names are one token, whatever they hold.
QList<Token> Tokenize(const QString& sql) {
  QList<Token> tokens;
  tokens.reserve(sql.size() / 3);
  const qsizetype n = sql.size();
  qsizetype i = 0;
  while (i < n) {
    const QChar c = sql.at(i);
    const qsizetype start = i;
    Tok kind = Tok::Other;
    if (c.isSpace()) {
      while (i < n && sql.at(i).isSpace()) ++i;
      kind = Tok::Space;
    } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
      ++i;
      while (i < n) {
        if (sql.at(i) == c) {
          if (i + 1 < n && sql.at(i + 1) == c) {
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        ++i;
      }
      kind = Tok::Text;
    } else if (c == QLatin1Char('[')) {
      while (i < n && sql.at(i) != QLatin1Char(']')) ++i;
      if (i < n) ++i;
      kind = Tok::Name;
    } else if (IsWordStart(c)) {
      while (i < n && IsWordChar(sql.at(i))) ++i;
      kind = Tok::Word;
    } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql.at(i + 1).isDigit() &&
                               !(tokens.size() && (tokens.last().kind == Tok::Word ||
                                                   tokens.last().kind == Tok::Name)))) {
      while (i < n && (sql.at(i).isDigit() || sql.at(i) == QLatin1Char('.'))) ++i;
      if (i < n && (sql.at(i) == QLatin1Char('e') || sql.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (sql.at(j) == QLatin1Char('+') || sql.at(j) == QLatin1Char('-'))) ++j;
        if (j < n && sql.at(j).isDigit()) {
          i = j;
          while (i < n && sql.at(i).isDigit()) ++i;
        }
      }
      kind = Tok::Number;
    } else if (c == QLatin1Char('(')) {
      ++i;
      kind = Tok::Open;
    } else if (c == QLatin1Char(')')) {
      ++i;
      kind = Tok::Close;
    } else if (QStringLiteral("<>=!").contains(c)) {
      while (i < n && QStringLiteral("<>=!").contains(sql.at(i))) ++i;
      kind = Tok::Op;
    } else {
      ++i;
    }
    // Tokens point into the caller's text; only a translated token owns a copy.
    tokens.append({kind, QString::fromRawData(sql.unicode() + start, i - start)});
  }
  return tokens;
}

bool IsComparison(const Token& t) {
  static const QStringList ops = {QStringLiteral("="),  QStringLiteral("<>"), QStringLiteral("<"),
                                  QStringLiteral(">"),  QStringLiteral("<="), QStringLiteral(">="),
                                  QStringLiteral("!=")};
  return t.kind == Tok::Op && ops.contains(t.text);
}

bool IsWord(const Token& t, const char* word) {
  return t.kind == Tok::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

qsizetype NextSolid(const QList<Token>& tokens, qsizetype i) {
  while (i < tokens.size() && tokens.at(i).kind == Tok::Space) ++i;
  return i;
}

qsizetype PreviousSolid(const QList<Token>& tokens, qsizetype i) {
  while (i >= 0 && tokens.at(i).kind == Tok::Space) --i;
  return i;
}

// A signed or unsigned number at i (after blanks); the index after it, or -1.
qsizetype NumberAt(const QList<Token>& tokens, qsizetype i) {
  i = NextSolid(tokens, i);
  if (i < tokens.size() && tokens.at(i).kind == Tok::Other &&
      (tokens.at(i).text == QLatin1String("-") || tokens.at(i).text == QLatin1String("+")))
    i = NextSolid(tokens, i + 1);
  if (i < tokens.size() && tokens.at(i).kind == Tok::Number) return i + 1;
  return -1;
}

// Whether a number ends right before index end (blanks skipped), as in "5 = x".
bool NumberBefore(const QList<Token>& tokens, qsizetype end) {
  const qsizetype i = PreviousSolid(tokens, end - 1);
  if (i < 0 || tokens.at(i).kind != Tok::Number) return false;
  const qsizetype before = PreviousSolid(tokens, i - 1);
  // Not the tail of a name or a call such as f(1) = ...
  return before < 0 || tokens.at(before).kind == Tok::Op || tokens.at(before).kind == Tok::Open ||
         tokens.at(before).kind == Tok::Other || IsWord(tokens.at(before), "AND") ||
         IsWord(tokens.at(before), "OR") || IsWord(tokens.at(before), "WHERE") ||
         IsWord(tokens.at(before), "NOT");
}

// The LIKE pattern of a quoted text: * and ? become % and _, and a literal %
// or _ is escaped with a backslash (needsEscape is then set).
QString TranslateLikePattern(const QString& literal, bool& needsEscape) {
  const QChar quote = literal.at(0);
  const QString body = literal.mid(1, literal.size() - 2);
  needsEscape = body.contains(QLatin1Char('%')) || body.contains(QLatin1Char('_'));
  QString out;
  out.reserve(body.size() + 4);
  for (const QChar c : body) {
    if (c == QLatin1Char('*')) {
      out += QLatin1Char('%');
    } else if (c == QLatin1Char('?')) {
      out += QLatin1Char('_');
    } else if (needsEscape && (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))) {
      out += QLatin1Char('\\');
      out += c;
    } else {
      out += c;
    }
  }
  return quote + out + quote;
}

// A text in double quotes is a text value to the engine, not a name.
QString SingleQuoted(const QString& literal) {
  QString body = literal.mid(1, literal.size() - 2);
  body.replace(QStringLiteral("\"\""), QStringLiteral("\""));
  body.replace(QLatin1Char('\''), QStringLiteral("''"));
  return QLatin1Char('\'') + body + QLatin1Char('\'');
}

}  // namespace

QString WithoutLoneSurrogates(QString text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      ++i;
    } else if (c.isSurrogate()) {
      text[i] = QChar::ReplacementCharacter;
    }
  }
  return text;
}

QString TranslateJetSql(const QString& jetSql) {
  QList<Token> tokens = Tokenize(jetSql);
  const qsizetype n = tokens.size();
  QList<QString> before(n), after(n);
  qsizetype wrappedUntil = -1;  // the inner calls of a compared Trim are part of its text

  for (qsizetype i = 0; i < n; ++i) {
    Token& t = tokens[i];
    // Texts in double quotes (a lone unterminated quote is left alone).
    if (t.kind == Tok::Text && t.text.size() >= 2 && t.text.startsWith(QLatin1Char('"')) &&
        t.text.endsWith(QLatin1Char('"')))
      t.text = SingleQuoted(t.text);

    // LIKE 'pattern'
    if (IsWord(t, "LIKE")) {
      const qsizetype p = NextSolid(tokens, i + 1);
      if (p < n && tokens.at(p).kind == Tok::Text && tokens.at(p).text.size() >= 2) {
        Token& pattern = tokens[p];
        if (pattern.text.startsWith(QLatin1Char('"'))) pattern.text = SingleQuoted(pattern.text);
        bool needsEscape = false;
        pattern.text = TranslateLikePattern(pattern.text, needsEscape);
        if (needsEscape) after[p] += QStringLiteral(" ESCAPE '\\'");
      }
      continue;
    }

    // Trim(x) compared with a number: compare the trimmed text as a number.
    if (i > wrappedUntil && (IsWord(t, "TRIM") || IsWord(t, "LTRIM") || IsWord(t, "RTRIM"))) {
      const qsizetype open = NextSolid(tokens, i + 1);
      if (open >= n || tokens.at(open).kind != Tok::Open) continue;
      qsizetype depth = 0;
      qsizetype close = open;
      for (; close < n; ++close) {
        if (tokens.at(close).kind == Tok::Open) ++depth;
        if (tokens.at(close).kind == Tok::Close && --depth == 0) break;
      }
      if (close >= n) continue;
      bool numeric = false;
      const qsizetype op = NextSolid(tokens, close + 1);
      if (op < n && IsComparison(tokens.at(op)) && NumberAt(tokens, op + 1) > 0) numeric = true;
      const qsizetype opBefore = PreviousSolid(tokens, i - 1);
      if (opBefore >= 0 && IsComparison(tokens.at(opBefore)) && NumberBefore(tokens, opBefore)) numeric = true;
      if (numeric) {
        before[i] += QStringLiteral("CAST(");
        after[close] = QStringLiteral(" AS REAL)") + after[close];
        wrappedUntil = close;
      }
    }
  }

  QString out;
  out.reserve(jetSql.size() + 32);
  for (qsizetype i = 0; i < n; ++i) {
    out += before[i];
    out += tokens[i].text;
    out += after[i];
  }
  return WithoutLoneSurrogates(std::move(out));
}

}  // namespace qw
