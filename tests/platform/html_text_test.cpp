#include "platform/html_text.h"

#include <gtest/gtest.h>

namespace {

TEST(HtmlText, EscapesForTextAttributesAndPagesWithoutACharacterSet) {
  const QString text = QStringLiteral("Fish & Chips </td> <5 ft \"q\" 'a' Caf\u00e9 \U0001F6A2");
  EXPECT_EQ(qw::HtmlText(text), QStringLiteral("Fish &amp; Chips &lt;/td&gt; &lt;5 ft \"q\" 'a' Caf\u00e9 \U0001F6A2"));
  EXPECT_EQ(qw::HtmlAttribute(text),
            QStringLiteral("Fish &amp; Chips &lt;/td&gt; &lt;5 ft &quot;q&quot; &#39;a&#39; Caf\u00e9 \U0001F6A2"));
  EXPECT_EQ(qw::HtmlAsciiText(text), "Fish &amp; Chips &lt;/td&gt; &lt;5 ft &quot;q&quot; 'a' Caf&#233; &#128674;");
  EXPECT_EQ(qw::QuotedAttribute(qw::HtmlText(text)), qw::HtmlAttribute(text));
}

TEST(HtmlText, CleanerKeepsTheDataMarkupAndNothingThatRunsOrBreaksThePage) {
  const char* const cases[][2] = {
      // The markup the data uses stays exactly as written.
      {"<I>Walk</I> up, <B>ferries</B><BR>Fuel &amp; ice&nbsp;&#39;&#x27;", "<I>Walk</I> up, <B>ferries</B><BR>Fuel &amp; ice&nbsp;&#39;&#x27;"},
      {"line<br/>line<BR >", "line<br/>line<BR>"},
      // Text that is no markup.
      {"Depth <5 ft, a > b, Fish & Chips \"q\" 'a'", "Depth &lt;5 ft, a &gt; b, Fish &amp; Chips \"q\" 'a'"},
      {"<b onmouseover='x", "&lt;b onmouseover='x"},
      // Scripts and styles go with their content, other tags without it.
      {"a<script>alert(1)</script>b<SCRIPT src=x></SCRIPT>c<style>*{}</style>", "abc"},
      {"a<script>never closed", "a"},
      {"<img src=x onerror=alert(1)>y<iframe src=x></iframe><!-- c --><!DOCTYPE x>", "y"},
      // Closing tags of what the text did not open: the page's own table.
      {"x</td></TR></table></span></div>y", "xy"},
      // Attributes: only the allowed ones, links to web and mail only.
      {"<b onclick='x()' class=c title='a>b'>t</b>", "<b>t</b>"},
      {"<a href=\"javascript:alert(1)\" onclick=x>j</a><a href=' java\tscript:x'>k</a>", "<a>j</a><a>k</a>"},
      {"<a href=data:text/html,x>d</a><a HREF=file:///etc/passwd>f</a>", "<a>d</a><a>f</a>"},
      {"<a href=\"https://x.example/?a=1&b='2'\" target=_blank title=T>w</a>",
       "<a href=\"https://x.example/?a=1&amp;b=&#39;2&#39;\" title=\"T\">w</a>"},
      {"<A HREF=mailto:dock@x.example>m</A>", "<A href=\"mailto:dock@x.example\">m</A>"},
      {"<font color=red face=\"Arial\" style=\"position:fixed\">f</font>", "<font color=\"red\" face=\"Arial\">f</font>"},
      {"<span class=x style=y>s</span><p align=center onload=z>p</p>", "<span class=\"x\">s</span><p align=\"center\">p</p>"},
      // What the text leaves open is closed at its end; crossed tags stay.
      {"try the <I>chowder", "try the <I>chowder</I>"},
      {"<b><i>x</b></i><u>y", "<b><i>x</b></i><u>y</u>"},
  };
  for (const auto& c : cases) EXPECT_EQ(qw::CleanHtml(QString::fromUtf8(c[0])), QString::fromUtf8(c[1])) << c[0];
}

TEST(HtmlText, MarkupColumnsAreCleanedAndEveryOtherEscaped) {
  const QString text = QStringLiteral("<B>Spa</B> & <script>x</script>");
  for (const char* column : {"Environs", "MARINA NOTES", "Notable", "Navigational Directions from ICW", "Comments",
                             "Other Amenities"})
    EXPECT_EQ(qw::ColumnHtml(QLatin1String(column), text), "<B>Spa</B> &amp; ") << column;
  for (const char* column : {"Name", "Dealer For", "Approx Distance", "Website", "Pumpout_Comments"})
    EXPECT_EQ(qw::ColumnHtml(QLatin1String(column), text), qw::HtmlText(text)) << column;
}

}  // namespace
