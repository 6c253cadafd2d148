#!/usr/bin/perl -0p
# For xgettext, which takes a note only from the lines right above the one where a message's text starts:
# a message declared over several lines ("NAME =", then "Text(", then its text) has the line breaks before
# its text moved to after its declaration, so that every other line keeps its number.
s{(=\s*(?:Text|TextIn|Plural|PluralIn|MarkedName|MarkedHelp)\(\s*")((?:.|\n)*?\);)[ \t]*$}{
    my ($head, $rest) = ($1, $2);
    my $breaks = ($head =~ tr/\n//);
    $head =~ s/\s*\n\s*/ /g;
    $head =~ s/\( "/("/;
    $head . $rest . ("\n" x $breaks)
}gme;
