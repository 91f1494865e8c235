#!/usr/bin/perl
# The renaming of scripts/rename-by-meaning: MAP FILE... Each file is
# rewritten in place when a rule applies to it.
use strict;
use warnings;

my $map = shift @ARGV;
my @rules;
open(my $m, '<:raw', $map) or die "$map: $!";
while (<$m>) {
    next if /^\s*(#|$)/;
    my ($design, $meaning, @globs) = split;
    my $plain = $design =~ /^\w+$/;
    # A class name also renames its compounds (TForm29Test, m_TForm29).
    my $pattern = $plain
        ? ($globs[0] ? qr/(?<![A-Za-z0-9])\Q$design\E(?![A-Za-z0-9_])/
                     : qr/(?<![A-Za-z0-9])\Q$design\E(?=[A-Z]|[^A-Za-z0-9_]|$)/m)
        : qr/\Q$design\E/;
    my @res = map { my $g = quotemeta($_); $g =~ s/\\\*/[^\/]*/g; qr/^$g$/ } @globs;
    push @rules, { design => $design, meaning => $meaning, pattern => $pattern, files => \@res,
                   class => !@globs };
}

# The guide's table of pages names classes by their C++ names, as literals.
my $classKeys = qr{src/editor/help/GuidePages\.cpp$};
my $literal = qr/(?:u8|u|U|L)?"(?:[^"\\\n]|\\.)*"|'(?:[^'\\\n]|\\.)+'/;

for my $file (@ARGV) {
    my @apply = grep { my $r = $_; !@{$r->{files}} || grep { $file =~ $_ } @{$r->{files}} } @rules;
    next unless @apply;
    open(my $in, '<:raw', $file) or die "$file: $!";
    my $text = do { local $/; <$in> };
    close $in;
    my $before = $text;
    my $out = '';
    for my $line (split /(?<=\n)/, $text) {
        if ($line =~ /^(\s*#\s*include\s+")([^"]*)(".*)$/s) {
            # An include names a file: its folder and its class's name.
            my ($head, $path, $tail) = ($1, $2, $3);
            $path =~ s{^editor/settings/}{editor/interface/};
            for my $r (grep { $_->{class} } @apply) {
                $path =~ s{/\Q$r->{design}\E((?:[A-Z][A-Za-z]*)?\.h)$}{/$r->{meaning}$1};
            }
            $out .= $head . $path . $tail;
            next;
        }
        my @parts = split /($literal)/, $line;
        for my $i (0 .. $#parts) {
            my $isLiteral = $i % 2 == 1;
            for my $r (@apply) {
                if (!$isLiteral) {
                    $parts[$i] =~ s/$r->{pattern}/$r->{meaning}/g;
                } elsif ($r->{class} && $file =~ $classKeys) {
                    $parts[$i] =~ s/$r->{pattern}/$r->{meaning}/g;
                } elsif ($r->{class}) {
                    # A qualified C++ name in a literal ("kestrava::editor::TfmNewFon") names the class.
                    $parts[$i] =~ s/(?<=::)\Q$r->{design}\E\b/$r->{meaning}/g;
                }
            }
        }
        $out .= join('', @parts);
    }
    $out =~ s{\beditor/settings\b}{editor/interface}g if $file =~ /CMakeLists\.txt$|\.cmake$/;
    next if $out eq $before;
    open(my $o, '>:raw', $file) or die "$file: $!";
    print $o $out;
    close $o;
}
