#!/usr/bin/perl
# The pseudo-language's translation of one text, as msgfilter hands it over (UTF-8 on standard
# input): vowels accented, wrapped in brackets and lengthened by half, so that a text that
# escaped the catalogue shows unbracketed and a caption laid out for Spanish overflows.
# Format directives (%s, %1$s), tags and line ends keep their place.
use strict;
use warnings;
binmode STDIN, ':encoding(UTF-8)';
binmode STDOUT, ':encoding(UTF-8)';
local $/;
my $text = <STDIN>;
$text = '' unless defined $text;
my $ending = $text =~ s/(\n*)\z// ? $1 : '';
# Markup of the web page's texts (<b>, <kbd>, <code>) keeps its tags.
my $accented = join '', map {
    my $piece = $_;
    $piece =~ tr/aeiouAEIOUcnCN/\x{e1}\x{e9}\x{ed}\x{f3}\x{fa}\x{c1}\x{c9}\x{cd}\x{d3}\x{da}\x{e7}\x{f1}\x{c7}\x{d1}/ unless $piece =~ /^</;
    $piece
} split /(<[^>]*>)/, $text;
my $padding = '~' x (int(length($text) / 2) + 1);
print '[' . $accented . $padding . ']' . $ending;
