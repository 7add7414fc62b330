@echo off
rem Registers the Quillon control in this folder.
rem   register.cmd              machine-wide (administrator)
rem   register.cmd /n /i:user   for the current user only
rem From its own folder, by a relative path: no quotes, whatever the folder.
pushd "%~dp0"
regsvr32 /s %* .\QuillonLib.dll
if errorlevel 1 goto failed
popd
echo Quillon: registered "%~dp0QuillonLib.dll"
exit /b 0
:failed
popd
echo Quillon: registration failed
exit /b 1
