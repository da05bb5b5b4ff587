<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AutosaveFileRecoverDialog</name>
    <message>
        <location filename="../forms/AutosaveFileRecoverDialog.ui" line="+17"/>
        <source>File Recovery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+33"/>
        <source>The following workbooks have recovered versions.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+34"/>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CertificateNamesDialog</name>
    <message>
        <location filename="../forms/CertificateNamesDialog.ui" line="+20"/>
        <source>Select Certificate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Which certificate do you want to use?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShowMembersDialog</name>
    <message>
        <location filename="../forms/ShowMembersDialog_New.ui" line="+14"/>
        <source>Show Members</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Set Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+17"/>
        <source>&amp;Examples:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ZelvarFramelessDialog</name>
    <message>
        <location filename="../forms/ZelvarFramelessDialog.ui" line="+23"/>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+130"/>
        <location line="+3"/>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
