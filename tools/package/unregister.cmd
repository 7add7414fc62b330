@echo off
rem Removes the registration of the Quillon control in this folder.
rem   unregister.cmd              machine-wide (administrator)
rem   unregister.cmd /n /i:user   for the current user only
rem From its own folder, by a relative path: no quotes, whatever the folder.
pushd "%~dp0"
regsvr32 /s /u %* .\QuillonLib.dll
if errorlevel 1 goto failed
popd
echo Quillon: unregistered "%~dp0QuillonLib.dll"
exit /b 0
:failed
popd
echo Quillon: unregistration failed
exit /b 1
